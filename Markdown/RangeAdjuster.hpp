#pragma once

#include "Markdown/RangeTracker.hpp"
#include "Markdown/SourceRange.hpp"

#include <cstdint>
#include <vector>

namespace markdown {

/// Moves ranges parsed from a run of lines, cut out of a larger text with some indentation
/// stripped from each line, back onto the larger text's lines and columns.
struct RangeAdjuster {
    /// Line n of the run becomes line startLine + n - 1, and a column on it grows by what was
    /// stripped from that line. A line outside the run stops the program.
    [[nodiscard]] SourceRange adjust(const SourceRange& range) const;

    /// Line number, in the larger text, of the run's first line.
    std::int64_t startLine;
    /// Widened by every adjusted range.
    RangeTracker ranges;
    /// Per line of the run, in order, the columns stripped from its start.
    std::vector<std::int64_t> trimmedIndentationPerLine;
};

} // namespace markdown
