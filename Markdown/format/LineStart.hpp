#pragma once

#include <cstddef>
#include <string_view>

namespace markdown {

// What the start of a printed line reads as.

/// True when a line beginning with `line` would open something other than paragraph text: a
/// heading, quote, list, thematic break, setext underline, table row, fence, HTML block, block
/// directive or its closing brace, Doxygen command, or indented code. `inParagraph`: the line
/// continues a paragraph, which only some blocks interrupt.
[[nodiscard]] bool opensBlockAtLineStart(std::string_view line, bool inParagraph);

/// Where a backslash makes a line start plain text: the offset of the delimiter after a number
/// ("1." or "1)"), else 0, the first character.
[[nodiscard]] std::size_t escapePointOfLineStart(std::string_view line);

} // namespace markdown
