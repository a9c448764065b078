#pragma once

#include "Markdown/elements/MarkupVisitor.hpp"

namespace markdown {

/// A visitor that walks a tree in document order: by default every element's children are
/// visited right after the element, first to last. An entry that is overridden decides for its
/// kind whether and when to go on into the children, by calling `descendInto`.
class MarkupWalker : public MarkupVisitor<void> {
public:
    void defaultVisit(const Markup& markup) override { descendInto(markup); }
    /// Visits each child of the element, first to last, before it returns.
    void descendInto(const Markup& markup);
};

} // namespace markdown
