#pragma once

#include "Markdown/tree/Markup.hpp"
#include "Markdown/tree/MarkupChildIterator.hpp"

namespace markdown {

/// The children of an element, last to first, each with the identifier that forward iteration
/// gives it.
class ReversedMarkupChildren {
public:
    using Iterator = MarkupChildIterator<ChildOrder::reversed>;

    explicit ReversedMarkupChildren(Markup parent) : parent(std::move(parent)) {}

    [[nodiscard]] Iterator makeIterator() const { return Iterator::startOf(parent); }
    [[nodiscard]] Iterator begin() const { return makeIterator(); }
    [[nodiscard]] Iterator end() const { return Iterator::endOf(parent); }

    Markup parent;
};

} // namespace markdown
