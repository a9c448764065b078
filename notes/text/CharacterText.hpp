#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

// Note text is read by user-perceived characters: a combining mark belongs to the character
// before it, and CR LF is one character. These helpers give the byte-level answers to the
// character-level questions the note syntax asks.

/// The lines between line feeds, empty ones kept (n line feeds give n + 1 lines). A line
/// feed directly after a carriage return is part of that CR LF character and splits nothing.
[[nodiscard]] std::vector<std::string_view> splitLines(std::string_view text);

/// Calls `take` with each line of `splitLines(text)`, in order, without collecting them.
template <typename Take> void forEachLine(std::string_view text, Take take) {
    std::size_t start = 0;
    for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1)) {
        if (i == 0 || text[i - 1] != '\r') {
            take(text.substr(start, i - start));
            start = i + 1;
        }
    }
    take(text.substr(start));
}

/// The pieces joined with `separator` between them.
[[nodiscard]] std::string joinLines(const std::vector<std::string_view>& pieces,
                                    std::string_view separator = "\n");

/// True when `text` begins with the ASCII characters of `prefix` as whole characters: "#"
/// begins "# x" but not "#\u0301 x", whose first character is "#" with an accent.
[[nodiscard]] bool hasCharacterPrefix(std::string_view text, std::string_view prefix);

/// The byte offset of the first whole character `c` (ASCII) in `text`, or npos.
[[nodiscard]] std::size_t findCharacter(std::string_view text, char c);

/// How many whole characters `c` (ASCII) stand at the start of `text`.
[[nodiscard]] std::size_t leadingCharacterCount(std::string_view text, char c);

/// Without tabs and Unicode space separators (category Zs) at both ends; line breaks stay.
[[nodiscard]] std::string_view trimWhitespace(std::string_view text);

/// Without tabs, space separators and line breaks (LF, VT, FF, CR, NEL, LS, PS) at both ends.
[[nodiscard]] std::string_view trimWhitespaceAndNewlines(std::string_view text);

} // namespace notes
