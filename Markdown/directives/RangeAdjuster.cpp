#include "Markdown/directives/RangeAdjuster.hpp"

#include "Markdown/support/Fatal.hpp"
#include "Markdown/tree/Markup.hpp"

namespace markdown {

SourceRange RangeAdjuster::adjust(const SourceRange& range) const {
    auto move = [this](const SourceLocation& location) {
        require(location.line >= 1 &&
                    static_cast<std::size_t>(location.line) <= trimmedIndentationPerLine.size(),
                "A range lies outside the parsed line run");
        const auto index = static_cast<std::size_t>(location.line - 1);
        std::int64_t column = location.column + trimmedIndentationPerLine[index];
        if (index < widenedBlanksPerLine.size() && location.column >= 1 &&
            location.column <= widenedBlanksPerLine[index].spaces())
            column = widenedBlanksPerLine[index].writtenColumn(location.column);
        return SourceLocation(startLine + location.line - 1, column, location.source);
    };
    return SourceRange(move(range.lowerBound()), move(range.upperBound()));
}

void RangeAdjuster::defaultVisit(const Markup& markup) {
    // Child slots live as long as the tree, so the pending entries can point into them.
    std::vector<const RawMarkupPtr*> pending{&markup.raw().markup};
    while (!pending.empty()) {
        const RawMarkupPtr& node = *pending.back();
        pending.pop_back();
        if (const std::optional<SourceRange>& parsed = node->parsedRange()) {
            SourceRange moved = adjust(*parsed);
            ranges.add(moved);
            RawMarkup::adjustParsedRangeBeforeSharing(node, std::move(moved));
        }
        std::span<const RawMarkupPtr> children = node->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back(&*child);
    }
}

} // namespace markdown
