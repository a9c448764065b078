#pragma once

#include <cstddef>
#include <string_view>

namespace markdown {

// The line parsers count user-perceived characters (extended grapheme clusters): a combining
// mark belongs to the character before it and CR LF is one character. Offsets are bytes of
// UTF-8 text and always stand on character boundaries.

/// The byte offset just past the character that starts at `from`; the text's size when `from`
/// is at or past the end.
[[nodiscard]] std::size_t characterEnd(std::string_view text, std::size_t from);

/// How many characters the text holds.
[[nodiscard]] std::size_t characterCount(std::string_view text);

/// True when the character at `from` is exactly the ASCII character `c`, not `c` with a mark.
[[nodiscard]] bool isCharacterAt(std::string_view text, std::size_t from, char c);

/// The byte length of the line break at `offset` (LF, VT, FF, CR, CR LF, NEL, LS or PS), or 0
/// when none starts there. Each of these is a character of its own, so bytes decide.
[[nodiscard]] std::size_t newlineLength(std::string_view text, std::size_t offset);

/// True when the text begins with the ASCII characters of `prefix`, each a whole character.
[[nodiscard]] bool hasCharacterPrefix(std::string_view text, std::string_view prefix);

} // namespace markdown
