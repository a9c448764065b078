#include "Markdown/directives/RangeTracker.hpp"

namespace markdown {

void RangeTracker::add(const SourceRange& range) {
    const SourceLocation& lower =
        range.lowerBound() < totalRange.lowerBound() ? range.lowerBound() : totalRange.lowerBound();
    const SourceLocation& upper = range.upperBound() >= totalRange.upperBound()
                                      ? range.upperBound()
                                      : totalRange.upperBound();
    totalRange = SourceRange(lower, upper);
}

} // namespace markdown
