#pragma once

#include "Markdown/support/UnicodeText.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace markdown {

// Character classes of the Markdown syntax, as the printer's escaping needs them.

[[nodiscard]] constexpr bool isAsciiPunctuation(char c) {
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
           (c >= '{' && c <= '~');
}

[[nodiscard]] constexpr bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

[[nodiscard]] constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

[[nodiscard]] constexpr bool isAsciiAlphanumeric(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c);
}

/// Whether a character beside a delimiter run flanks it as a word would: neither the end, nor
/// space (a vertical tab is none), nor punctuation. A byte of a character beyond ASCII counts
/// as one.
[[nodiscard]] constexpr bool flanksAsWord(char c) {
    return !(c == '\0' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' ||
             isAsciiPunctuation(c));
}

/// Whether the "&" at `ampersand` starts what the parser would read as a character reference
/// ("&amp;", "&#123;", "&#x1F;").
[[nodiscard]] constexpr bool startsEntity(std::string_view text, std::size_t ampersand) {
    std::size_t i = ampersand + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        if (i < text.size() && (text[i] == 'x' || text[i] == 'X'))
            ++i;
    }
    const std::size_t nameStart = i;
    while (i < text.size() && isAsciiAlphanumeric(text[i]))
        ++i;
    return i > nameStart && i < text.size() && text[i] == ';';
}

/// Whether a backslash at `index` would be read as an escape: a punctuation character follows,
/// or, at the end, whatever comes next might be one.
[[nodiscard]] constexpr bool backslashEscapes(std::string_view text, std::size_t index) {
    return index + 1 == text.size() || isAsciiPunctuation(text[index + 1]);
}

/// Whether the character at `index` follows an odd run of backslashes, which escapes it.
[[nodiscard]] constexpr bool isEscapedAt(std::string_view text, std::size_t index) {
    std::size_t backslashes = 0;
    while (backslashes < index && text[index - 1 - backslashes] == '\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

/// A space or a tab as a numeric reference, which no line's start or end trims.
[[nodiscard]] constexpr std::string_view whitespaceReference(char c) {
    return c == ' ' ? "&#32;" : "&#9;";
}

/// The line breaks other than LF and CR that the directive road ends lines at too: VT, FF, NEL,
/// LS and PS.
inline constexpr std::string_view roadLineBreaks[] = {"\v", "\f", "\xC2\x85", "\xE2\x80\xA8",
                                                      "\xE2\x80\xA9"};

/// The one of those that starts at `i`, if any.
[[nodiscard]] inline std::string_view roadLineBreakAt(std::string_view text, std::size_t i) {
    if (i >= text.size() ||
        (text[i] != '\v' && text[i] != '\f' && text[i] != '\xC2' && text[i] != '\xE2'))
        return {};
    for (std::string_view lineBreak : roadLineBreaks)
        if (text.substr(i).starts_with(lineBreak))
            return text.substr(i, lineBreak.size());
    return {};
}

/// The text with a byte order mark that opens it said as a numeric reference, which the parser
/// keeps where it drops the bare mark that opens the text it is given.
inline void referenceOpeningByteOrderMark(std::string& text) {
    if (text.starts_with(byteOrderMark))
        text.replace(0, byteOrderMark.size(), "&#xFEFF;");
}

/// The numeric reference that says one of those line breaks as text.
[[nodiscard]] inline std::string_view lineBreakReference(std::string_view lineBreak) {
    if (lineBreak == "\v")
        return "&#11;";
    if (lineBreak == "\f")
        return "&#12;";
    if (lineBreak == "\xC2\x85")
        return "&#133;";
    return lineBreak == "\xE2\x80\xA8" ? "&#8232;" : "&#8233;";
}

} // namespace markdown
