#pragma once

#include <string_view>

namespace markdown {

/// Which of CommonMark's seven kinds of HTML block the text opens with (1 to 7: script, pre,
/// style or textarea; comment; processing instruction; declaration; CDATA; a block-level tag;
/// any other tag), judged by its first line; 0 where it opens none of the first six and does not
/// start with "<". Only the first six may interrupt a paragraph.
[[nodiscard]] int htmlBlockKind(std::string_view html);

/// Whether a tag of that name, in either case, opens an HTML block that may interrupt a
/// paragraph (kinds 1 and 6).
[[nodiscard]] bool isHTMLBlockTagName(std::string_view name);

/// Whether an HTML block of that kind ends with the text's last line by itself, so that a block
/// may follow on the next line: the first five end at a line holding their end marker, the
/// others only at a blank line.
[[nodiscard]] bool htmlBlockEndsWithText(std::string_view html);

} // namespace markdown
