#include "Markdown/support/CharacterBreaks.hpp"

#include "Markdown/support/Fatal.hpp"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace markdown {
namespace {

bool isASCII(char byte) {
    return static_cast<unsigned char>(byte) < 0x80;
}

// The offset of the first byte at or after `from` that is beyond ASCII or a CR, eight bytes at a
// time up to the word that holds it.
std::size_t asciiRunEnd(std::string_view text, std::size_t from) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highBits = ones * 0x80;
    for (; from + sizeof(std::uint64_t) <= text.size(); from += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + from, sizeof word);
        // A byte equal to CR leaves a zero byte here, which borrows a high bit.
        const std::uint64_t carriageReturns = word ^ (ones * '\r');
        if ((word | ((carriageReturns - ones) & ~carriageReturns)) & highBits)
            break;
    }
    while (from < text.size() && isASCII(text[from]) && text[from] != '\r')
        ++from;
    return from;
}

// The scalar whose UTF-8 starts at `from` (negative where the bytes are ill-formed) and the
// offset past it.
struct Scalar {
    UChar32 value = 0;
    std::size_t end = 0;
};

Scalar scalarAt(std::string_view text, std::size_t from) {
    auto next = static_cast<int32_t>(from);
    UChar32 value = 0;
    U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), next, static_cast<int32_t>(text.size()),
            value);
    return {value, static_cast<std::size_t>(next)};
}

int32_t breakProperty(UChar32 scalar) {
    return u_getIntPropertyValue(scalar, UCHAR_GRAPHEME_CLUSTER_BREAK);
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

// Where the rules for a run of characters break it: opened on the run's first character,
// closed when done.
class RuleBreaks {
public:
    explicit RuleBreaks(std::string_view text) {
        UErrorCode status = U_ZERO_ERROR;
        utext_openUTF8(&utext, text.data(), static_cast<int64_t>(text.size()), &status);
        if (U_SUCCESS(status))
            characterBreaks().setText(&utext, status);
        valid = U_SUCCESS(status);
    }
    ~RuleBreaks() { utext_close(&utext); }
    RuleBreaks(const RuleBreaks&) = delete;
    RuleBreaks& operator=(const RuleBreaks&) = delete;

    /// The offset of the next break, or 0 when the rules give none.
    [[nodiscard]] std::size_t next() {
        const int32_t end = valid ? characterBreaks().next() : icu::BreakIterator::DONE;
        return end == icu::BreakIterator::DONE || end <= 0 ? 0 : static_cast<std::size_t>(end);
    }

private:
    UText utext = UTEXT_INITIALIZER;
    bool valid = false;
};

// The full grapheme rules, for the rare character that the fast paths cannot decide.
std::size_t characterEndByRules(std::string_view text, std::size_t from) {
    std::string_view rest = text.substr(from);
    const std::size_t end = RuleBreaks(rest).next();
    // Ill-formed bytes must still move the scan forward.
    if (end == 0 || end > rest.size())
        return from + 1;
    return from + end;
}

// The end of the character at `from` where the fast paths decide it, else npos.
std::size_t characterEndWithoutRules(std::string_view text, std::size_t from) {
    constexpr std::size_t undecided = std::string_view::npos;
    std::size_t end = from + 1;
    if (isASCII(text[from])) {
        if (end == text.size())
            return end;
        // Between two ASCII characters there is always a break, except inside CR LF.
        if (isASCII(text[end]))
            return text[from] == '\r' && text[end] == '\n' ? end + 1 : end;
    } else {
        const Scalar scalar = scalarAt(text, from);
        if (scalar.value < 0)
            return undecided;
        end = scalar.end;
        // Nothing in ASCII extends a character, so only a prepended mark joins what follows.
        if (end == text.size() || isASCII(text[end]))
            return breakProperty(scalar.value) != U_GCB_PREPEND ? end : undecided;
        if (breakProperty(scalar.value) != U_GCB_OTHER)
            return undecided;
    }
    // No rule joins a scalar that has no grapheme property (as ASCII letters have none, nor most
    // letters and symbols beyond: Cyrillic, CJK, pictographs) to a following one that has none
    // either, so such words need no rules.
    const UChar32 following = scalarAt(text, end).value;
    if (following >= 0 && breakProperty(following) == U_GCB_OTHER)
        return end;
    return undecided;
}

// Counts the characters from `from` by the rules, with one pass of the iterator up to a break
// before ASCII, where the fast paths take over again; `from` moves past them.
std::size_t countByRules(std::string_view text, std::size_t& from) {
    const std::string_view rest = text.substr(from);
    RuleBreaks breaks(rest);
    std::size_t count = 0;
    for (std::size_t at = 0;;) {
        const std::size_t end = breaks.next();
        ++count;
        if (end <= at || end > rest.size()) {
            // Ill-formed bytes must still move the scan forward.
            from += at + 1;
            return count;
        }
        at = end;
        if (at == rest.size() || isASCII(rest[at])) {
            from += at;
            return count;
        }
    }
}

} // namespace

std::size_t characterEnd(std::string_view text, std::size_t from) {
    if (from >= text.size())
        return text.size();
    const std::size_t end = characterEndWithoutRules(text, from);
    return end != std::string_view::npos ? end : characterEndByRules(text, from);
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        // ASCII without CR is one character a byte: the common case, counted without the rules,
        // up to the run's last byte, which what follows the run may extend.
        const std::size_t runEnd = asciiRunEnd(text, i);
        if (runEnd == text.size())
            return count + (runEnd - i);
        if (runEnd > i + 1) {
            count += runEnd - 1 - i;
            i = runEnd - 1;
        }
        const std::size_t end = characterEndWithoutRules(text, i);
        if (end == std::string_view::npos) {
            count += countByRules(text, i);
        } else {
            i = end;
            ++count;
        }
    }
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
