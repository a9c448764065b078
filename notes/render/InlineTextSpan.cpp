#include "notes/render/InlineTextSpan.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <array>
#include <cstdint>

// One pass over the bytes, stopping only where a construct can start. Every delimiter is ASCII,
// which never occurs inside the encoding of another character; only white space, word
// characters and the characters around them need decoding.
namespace notes {
namespace {

struct CodePoint {
    UChar32 value;
    std::size_t begin;
    std::size_t end;
};

CodePoint codePointAt(std::string_view text, std::size_t i) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t begin = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, text.size(), c);
    return {c < 0 ? 0xFFFD : c, begin, i};
}

// The character that ends at `end` (> 0). A lead byte always starts a character, so the last
// one before `end` either starts a character ending exactly there or the last character is an
// ill-formed run.
CodePoint codePointBefore(std::string_view text, std::size_t end) {
    std::size_t lead = end - 1;
    while (lead > 0 && end - lead < 4 && (static_cast<std::uint8_t>(text[lead]) & 0xC0) == 0x80)
        --lead;
    const CodePoint decoded = codePointAt(text, lead);
    if (decoded.end == end)
        return decoded;
    return {0xFFFD, end - 1, end};
}

bool isWhiteSpace(UChar32 c) {
    if (c < 0x80)
        return c == ' ' || (c >= '\t' && c <= '\r');
    return u_isUWhiteSpace(c) != 0;
}

// What a word boundary counts as part of a word.
bool isWordCharacter(UChar32 c) {
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '_';
    return u_hasBinaryProperty(c, UCHAR_ALPHABETIC) ||
           (U_GET_GC_MASK(c) & (U_GC_M_MASK | U_GC_ND_MASK | U_GC_PC_MASK)) != 0 || c == 0x200C ||
           c == 0x200D;
}

// Characters a word boundary looks through to the one before them.
bool isCombiningOrFormat(UChar32 c) {
    return c >= 0x80 &&
           (u_hasBinaryProperty(c, UCHAR_GRAPHEME_EXTEND) || u_charType(c) == U_FORMAT_CHAR);
}

bool followsWordCharacter(std::string_view text, std::size_t at) {
    while (at > 0) {
        const CodePoint before = codePointBefore(text, at);
        if (!isCombiningOrFormat(before.value))
            return isWordCharacter(before.value);
        at = before.begin;
    }
    return false;
}

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.substr(at).starts_with(prefix);
}

// Where the body after the opening marks at `at` ends: at the first of `stops`, which must be
// the first character of the closing marks, after at least one character.
std::optional<std::size_t> bodyEnd(std::string_view text, std::size_t at, std::string_view open,
                                   std::string_view stops, std::string_view close) {
    if (!startsWith(text, at, open))
        return std::nullopt;
    const std::size_t body = at + open.size();
    const std::size_t stop = text.find_first_of(stops, body);
    if (stop == std::string_view::npos || stop == body || !startsWith(text, stop, close))
        return std::nullopt;
    return stop;
}

// "[[body]]" with its first "[" at `at`.
std::optional<InlineTextSpan> wikilinkAt(std::string_view text, std::size_t at) {
    const std::optional<std::size_t> stop = bodyEnd(text, at, "[[", "[]\n", "]]");
    if (!stop)
        return std::nullopt;
    return InlineTextSpan{InlineTextKind::wikilink, at, *stop + 2, at + 2, *stop};
}

std::optional<InlineTextSpan> footnoteReferenceAt(std::string_view text, std::size_t at) {
    if (!startsWith(text, at, "[^"))
        return std::nullopt;
    const std::size_t label = at + 2;
    std::size_t i = label;
    while (i < text.size() && text[i] != ']') {
        const CodePoint c = codePointAt(text, i);
        if (isWhiteSpace(c.value))
            return std::nullopt;
        i = c.end;
    }
    if (i == text.size() || i == label)
        return std::nullopt;
    return InlineTextSpan{InlineTextKind::footnoteReference, at, i + 1, label, i};
}

std::optional<InlineTextSpan> highlightAt(std::string_view text, std::size_t at) {
    // No "=" inside: the first one begins the closing marks.
    const std::optional<std::size_t> stop = bodyEnd(text, at, "==", "=\n", "==");
    if (!stop || isWhiteSpace(codePointAt(text, at + 2).value) ||
        isWhiteSpace(codePointBefore(text, *stop).value))
        return std::nullopt;
    return InlineTextSpan{InlineTextKind::highlight, at, *stop + 2, at + 2, *stop};
}

bool endsAddress(std::uint8_t byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r') || byte == '<' || byte == '>' ||
           byte == '"';
}

bool isTrailingPunctuation(char c) {
    return std::string_view(".,:;'!?)]").find(c) != std::string_view::npos;
}

std::optional<InlineTextSpan> webAddressAt(std::string_view text, std::size_t at) {
    std::size_t rest = at;
    if (startsWith(text, at, "https://"))
        rest += 8;
    else if (startsWith(text, at, "http://"))
        rest += 7;
    else
        return std::nullopt;
    if (followsWordCharacter(text, at))
        return std::nullopt;
    std::size_t end = rest;
    while (end < text.size()) {
        const auto byte = static_cast<std::uint8_t>(text[end]);
        if (byte < 0x80) {
            if (endsAddress(byte))
                break;
            ++end;
            continue;
        }
        const CodePoint c = codePointAt(text, end);
        if (isWhiteSpace(c.value))
            break;
        end = c.end;
    }
    // Trailing punctuation is ASCII: the address ends just after the last byte that is none.
    while (end > rest && isTrailingPunctuation(text[end - 1]))
        --end;
    if (end == rest || end <= codePointAt(text, rest).end)
        return std::nullopt;
    return InlineTextSpan{InlineTextKind::webAddress, at, end, at, end};
}

constexpr std::array<bool, 256> mayStartConstruct = [] {
    std::array<bool, 256> starts{};
    for (unsigned char c : std::string_view("![=h"))
        starts[c] = true;
    return starts;
}();

std::optional<InlineTextSpan> spanAt(std::string_view text, std::size_t at) {
    switch (text[at]) {
    case '!':
        if (std::optional<InlineTextSpan> link = wikilinkAt(text, at + 1)) {
            link->kind = InlineTextKind::embed;
            link->begin = at;
            return link;
        }
        return std::nullopt;
    case '[':
        if (std::optional<InlineTextSpan> link = wikilinkAt(text, at))
            return link;
        return footnoteReferenceAt(text, at);
    case '=':
        return highlightAt(text, at);
    default:
        return webAddressAt(text, at);
    }
}

} // namespace

std::optional<InlineTextSpan> findInlineTextSpan(std::string_view text, std::size_t from) {
    for (std::size_t at = from; at < text.size(); ++at)
        if (mayStartConstruct[static_cast<std::uint8_t>(text[at])])
            if (std::optional<InlineTextSpan> span = spanAt(text, at))
                return span;
    return std::nullopt;
}

} // namespace notes
