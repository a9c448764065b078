#include "Markdown/tree/ChildRawMarkups.hpp"

namespace markdown {

std::optional<SourceRange> enclosingSourceRange(std::span<const RawMarkupPtr> children) {
    if (children.empty())
        return std::nullopt;
    const auto& first = children.front()->parsedRange();
    const auto& last = children.back()->parsedRange();
    if (!first || !last || last->upperBound() < first->lowerBound())
        return std::nullopt;
    return SourceRange(first->lowerBound(), last->upperBound());
}

} // namespace markdown
