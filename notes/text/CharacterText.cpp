#include "notes/text/CharacterText.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace notes {
namespace {

const uint8_t* bytes(std::string_view text) {
    return reinterpret_cast<const uint8_t*>(text.data());
}

// A code point that joins the character before it instead of starting its own.
bool extendsCharacter(UChar32 c) {
    switch (u_getIntPropertyValue(c, UCHAR_GRAPHEME_CLUSTER_BREAK)) {
    case U_GCB_EXTEND:
    case U_GCB_SPACING_MARK:
    case U_GCB_ZWJ:
        return true;
    default:
        return false;
    }
}

// Whether the character that starts at `offset` is whole, i.e. not extended by what follows.
bool endsCharacterAt(std::string_view text, std::size_t offset) {
    if (offset >= text.size())
        return true;
    auto i = static_cast<int32_t>(offset);
    UChar32 c = 0;
    U8_NEXT(bytes(text), i, static_cast<int32_t>(text.size()), c);
    return c < 0 || !extendsCharacter(c);
}

bool isWhitespace(UChar32 c) {
    return c == '\t' || u_charType(c) == U_SPACE_SEPARATOR;
}

bool isWhitespaceOrNewline(UChar32 c) {
    return isWhitespace(c) || (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

template <typename Predicate> std::string_view trim(std::string_view text, Predicate drop) {
    const auto length = static_cast<int32_t>(text.size());
    int32_t start = 0;
    while (start < length) {
        int32_t next = start;
        UChar32 c = 0;
        U8_NEXT(bytes(text), next, length, c);
        if (c < 0 || !drop(c))
            break;
        start = next;
    }
    int32_t end = length;
    while (end > start) {
        int32_t previous = end;
        UChar32 c = 0;
        U8_PREV(bytes(text), start, previous, c);
        if (c < 0 || !drop(c))
            break;
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

} // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::string joinLines(const std::vector<std::string_view>& pieces, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

bool hasCharacterPrefix(std::string_view text, std::string_view prefix) {
    return text.starts_with(prefix) && endsCharacterAt(text, prefix.size());
}

std::size_t findCharacter(std::string_view text, char c) {
    for (std::size_t i = text.find(c); i != std::string_view::npos; i = text.find(c, i + 1)) {
        if (endsCharacterAt(text, i + 1))
            return i;
    }
    return std::string_view::npos;
}

std::size_t leadingCharacterCount(std::string_view text, char c) {
    std::size_t count = 0;
    while (count < text.size() && text[count] == c && endsCharacterAt(text, count + 1))
        ++count;
    return count;
}

std::string_view trimWhitespace(std::string_view text) {
    return trim(text, isWhitespace);
}

std::string_view trimWhitespaceAndNewlines(std::string_view text) {
    return trim(text, isWhitespaceOrNewline);
}

} // namespace notes
