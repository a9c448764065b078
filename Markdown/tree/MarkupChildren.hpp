#pragma once

#include "Markdown/tree/Markup.hpp"
#include "Markdown/tree/MarkupChildIterator.hpp"

namespace markdown {

class ReversedMarkupChildren;

/// The children of an element, first to last, each made when reached.
class MarkupChildren {
public:
    using Iterator = MarkupChildIterator<ChildOrder::forward>;

    explicit MarkupChildren(Markup parent) : parent(std::move(parent)) {}

    [[nodiscard]] Iterator makeIterator() const { return Iterator::startOf(parent); }
    [[nodiscard]] Iterator begin() const { return makeIterator(); }
    [[nodiscard]] Iterator end() const { return Iterator::endOf(parent); }
    [[nodiscard]] ReversedMarkupChildren reversed() const;

    Markup parent;
};

} // namespace markdown

#include "Markdown/tree/ReversedMarkupChildren.hpp"
