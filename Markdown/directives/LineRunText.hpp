#pragma once

#include "Markdown/directives/WidenedBlanks.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace markdown {

/// A run of ordinary lines as it goes to the CommonMark parser: each line without the
/// indentation of the directive or command it stands in, the lines joined by line feeds. What
/// was cut from each line lets the parsed ranges be moved back onto the input.
struct LineRunText {
    /// Each line from its parse position after skipping the leading spaces and tabs that fill
    /// at most `indentation` columns (a tab reaching the next multiple of 4, as the content
    /// indentation was measured), joined with "\n" and no line feed after the last. Below an
    /// indentation, a tab left among the leading blanks, whole or cut by the indentation, goes
    /// as the spaces of the columns it covers beyond it.
    static LineRunText make(std::span<const TrimmedLine> lines, std::int64_t indentation);

    std::string text;
    /// Line number of the first line in the input; 1 when it has none.
    std::int64_t startLine = 1;
    /// Per line, the characters before the text that was kept: the skipped indentation and
    /// whatever the line had consumed before, such as a Doxygen command. On a line whose
    /// blanks went as spaces, less the spaces added: what moves a column after them back.
    std::vector<std::int64_t> trimmedIndentationPerLine;
    /// Per line, the blanks widened to spaces; none on most lines.
    std::vector<WidenedBlanks> widenedBlanksPerLine;
};

} // namespace markdown
