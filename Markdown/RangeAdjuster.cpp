#include "Markdown/RangeAdjuster.hpp"

#include "Markdown/Fatal.hpp"

namespace markdown {

SourceRange RangeAdjuster::adjust(const SourceRange& range) const {
    auto move = [this](const SourceLocation& location) {
        require(location.line >= 1 &&
                    static_cast<std::size_t>(location.line) <= trimmedIndentationPerLine.size(),
                "A range lies outside the parsed line run");
        return SourceLocation(startLine + location.line - 1,
                              location.column + trimmedIndentationPerLine[location.line - 1],
                              location.source);
    };
    return SourceRange(move(range.lowerBound()), move(range.upperBound()));
}

} // namespace markdown
