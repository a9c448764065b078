#include "Markdown/support/CharacterBreaks.hpp"

#include "Markdown/support/Fatal.hpp"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace markdown {
namespace {

bool isASCII(char byte) {
    return static_cast<unsigned char>(byte) < 0x80;
}

icu::BreakIterator& characterBreaks() {
    thread_local std::unique_ptr<icu::BreakIterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> breaks(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        require(U_SUCCESS(status) && breaks, "ICU has no character break iterator");
        return breaks;
    }();
    return *instance;
}

// The full grapheme rules, for the rare character that the fast paths cannot decide.
std::size_t characterEndByRules(std::string_view text, std::size_t from) {
    std::string_view rest = text.substr(from);
    UErrorCode status = U_ZERO_ERROR;
    UText utext = UTEXT_INITIALIZER;
    utext_openUTF8(&utext, rest.data(), static_cast<int64_t>(rest.size()), &status);
    int32_t end = icu::BreakIterator::DONE;
    if (U_SUCCESS(status)) {
        icu::BreakIterator& breaks = characterBreaks();
        breaks.setText(&utext, status);
        if (U_SUCCESS(status))
            end = breaks.next();
    }
    utext_close(&utext);
    // Ill-formed bytes must still move the scan forward.
    if (end == icu::BreakIterator::DONE || end <= 0 || static_cast<std::size_t>(end) > rest.size())
        return from + 1;
    return from + static_cast<std::size_t>(end);
}

} // namespace

std::size_t characterEnd(std::string_view text, std::size_t from) {
    if (from >= text.size())
        return text.size();
    if (isASCII(text[from])) {
        if (from + 1 == text.size())
            return text.size();
        // Between two ASCII characters there is always a break, except inside CR LF.
        if (isASCII(text[from + 1]))
            return text[from] == '\r' && text[from + 1] == '\n' ? from + 2 : from + 1;
    } else {
        auto next = static_cast<int32_t>(from);
        UChar32 scalar = 0;
        U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), next,
                static_cast<int32_t>(text.size()), scalar);
        auto end = static_cast<std::size_t>(next);
        // Nothing in ASCII extends a character, so only a prepended mark joins what follows.
        if (scalar >= 0 && (end == text.size() || isASCII(text[end])) &&
            u_getIntPropertyValue(scalar, UCHAR_GRAPHEME_CLUSTER_BREAK) != U_GCB_PREPEND)
            return end;
    }
    return characterEndByRules(text, from);
}

std::size_t characterCount(std::string_view text) {
    // ASCII without CR is one character a byte: the common case, counted without the rules.
    if (std::all_of(text.begin(), text.end(),
                    [](char byte) { return isASCII(byte) && byte != '\r'; }))
        return text.size();
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i = characterEnd(text, i))
        ++count;
    return count;
}

bool isCharacterAt(std::string_view text, std::size_t from, char c) {
    return from < text.size() && text[from] == c && characterEnd(text, from) == from + 1;
}

std::size_t newlineLength(std::string_view text, std::size_t offset) {
    if (offset >= text.size())
        return 0;
    switch (text[offset]) {
    case '\n':
    case '\v':
    case '\f':
        return 1;
    case '\r':
        return text.substr(offset, 2) == "\r\n" ? 2 : 1;
    case '\xC2':
        return text.substr(offset, 2) == "\xC2\x85" ? 2 : 0;
    case '\xE2':
        return text.substr(offset, 3) == "\xE2\x80\xA8" || text.substr(offset, 3) == "\xE2\x80\xA9"
                   ? 3
                   : 0;
    default:
        return 0;
    }
}

bool hasCharacterPrefix(std::string_view text, std::string_view prefix) {
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (!isCharacterAt(text, i, prefix[i]))
            return false;
    }
    return true;
}

} // namespace markdown
