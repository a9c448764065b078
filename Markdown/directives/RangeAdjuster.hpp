#pragma once

#include "Markdown/directives/RangeTracker.hpp"
#include "Markdown/directives/WidenedBlanks.hpp"
#include "Markdown/elements/MarkupWalker.hpp"
#include "Markdown/tree/SourceRange.hpp"

#include <cstdint>
#include <vector>

namespace markdown {

/// Moves the ranges of a tree parsed from a run of lines, cut out of a larger text with some
/// indentation stripped from each line, back onto the larger text's lines and columns. Each
/// element it visits is moved with its whole subtree, parent before children, and each moved
/// range widens `ranges`.
///
/// It writes into the visited raw nodes: use it only on a tree just parsed and not yet shared.
/// Visiting the same tree twice moves it twice.
class RangeAdjuster : public MarkupWalker {
public:
    RangeAdjuster(std::int64_t startLine, RangeTracker ranges,
                  std::vector<std::int64_t> trimmedIndentationPerLine,
                  std::vector<WidenedBlanks> widenedBlanksPerLine = {})
        : startLine(startLine), ranges(std::move(ranges)),
          trimmedIndentationPerLine(std::move(trimmedIndentationPerLine)),
          widenedBlanksPerLine(std::move(widenedBlanksPerLine)) {}

    /// Line n of the run becomes line startLine + n - 1, and a column on it grows by what was
    /// stripped from that line; a column among a line's widened blanks becomes the blank's.
    /// A line outside the run stops the program.
    [[nodiscard]] SourceRange adjust(const SourceRange& range) const;

    /// Moves the element's range and those of all its descendants; an element without a
    /// range keeps none. Deep trees are walked without recursion.
    void defaultVisit(const Markup& markup) override;

    /// Line number, in the larger text, of the run's first line.
    std::int64_t startLine;
    /// Widened by every adjusted range.
    RangeTracker ranges;
    /// Per line of the run, in order, the columns stripped from its start.
    std::vector<std::int64_t> trimmedIndentationPerLine;
    /// Per line of the run, the blanks that went to the parser as spaces (none on most lines);
    /// an empty list moves every column by the line's stripped indentation alone.
    std::vector<WidenedBlanks> widenedBlanksPerLine;
};

} // namespace markdown
