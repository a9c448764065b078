#include "notes/text/RegexMatch.hpp"

#include "Markdown/support/Fatal.hpp"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace notes {
namespace {

// The text as the engine sees it, with the byte offset of every UTF-16 position.
// Ill-formed bytes become U+FFFD, one per maximal ill-formed run, as ICU's own conversion.
struct UTF16Text {
    icu::UnicodeString text;
    std::vector<std::size_t> byteOffsets;

    explicit UTF16Text(std::string_view utf8) {
        markdown::require(utf8.size() < static_cast<std::size_t>(INT32_MAX),
                          "text too long for a regular expression search");
        const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
        const auto length = static_cast<int32_t>(utf8.size());
        byteOffsets.reserve(utf8.size() + 1);
        // Never more UTF-16 units than bytes; written in place rather than appended one by one.
        char16_t* units = text.getBuffer(length);
        markdown::require(units != nullptr, "cannot make room for a regular expression search");
        int32_t written = 0;
        int32_t i = 0;
        while (i < length) {
            const auto start = static_cast<std::size_t>(i);
            UChar32 c = 0;
            U8_NEXT(bytes, i, length, c);
            if (c < 0)
                c = 0xFFFD;
            byteOffsets.push_back(start);
            if (c > 0xFFFF)
                byteOffsets.push_back(start);
            U16_APPEND_UNSAFE(units, written, c);
        }
        text.releaseBuffer(written);
        byteOffsets.push_back(utf8.size());
    }
};

class Search {
public:
    Search(const icu::RegexPattern& pattern, std::string_view text) : text_(text), utf16_(text) {
        UErrorCode status = U_ZERO_ERROR;
        matcher_.reset(pattern.matcher(utf16_.text, status));
        markdown::require(U_SUCCESS(status) && matcher_,
                          "cannot make a regular expression matcher");
    }

    std::optional<RegexMatch> next() {
        UErrorCode status = U_ZERO_ERROR;
        if (!matcher_->find(status) || U_FAILURE(status))
            return std::nullopt;
        return current();
    }

    // The next match that starts at or after the code point after the one at `byteOffset`.
    std::optional<RegexMatch> nextAfter(std::size_t byteOffset) {
        const auto& offsets = utf16_.byteOffsets;
        auto unit = std::upper_bound(offsets.begin(), offsets.end(), byteOffset);
        if (unit == offsets.end())
            return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        if (!matcher_->find(unit - offsets.begin(), status) || U_FAILURE(status))
            return std::nullopt;
        return current();
    }

private:
    RegexMatch current() {
        UErrorCode status = U_ZERO_ERROR;
        RegexMatch match;
        const int32_t groupCount = matcher_->groupCount();
        match.groups.reserve(static_cast<std::size_t>(groupCount) + 1);
        for (int32_t group = 0; group <= groupCount; ++group) {
            const int32_t start = matcher_->start(group, status);
            const int32_t end = matcher_->end(group, status);
            if (U_FAILURE(status) || start < 0) {
                match.groups.emplace_back();
                continue;
            }
            const std::size_t from = utf16_.byteOffsets[static_cast<std::size_t>(start)];
            const std::size_t to = utf16_.byteOffsets[static_cast<std::size_t>(end)];
            match.groups.emplace_back(text_.substr(from, to - from));
            if (group == 0) {
                match.begin = from;
                match.end = to;
            }
        }
        return match;
    }

    std::string_view text_;
    UTF16Text utf16_;
    std::unique_ptr<icu::RegexMatcher> matcher_;
};

} // namespace

std::optional<RegexMatch> firstMatch(const icu::RegexPattern& pattern, std::string_view text) {
    return Search(pattern, text).next();
}

std::vector<RegexMatch> allMatches(const icu::RegexPattern& pattern, std::string_view text) {
    std::vector<RegexMatch> matches;
    Search search(pattern, text);
    while (auto match = search.next())
        matches.push_back(std::move(*match));
    return matches;
}

} // namespace notes

namespace notes {

std::vector<RegexMatch> allMatches(const icu::RegexPattern& pattern, std::string_view text,
                                   const std::function<bool(const RegexMatch&)>& accept) {
    std::vector<RegexMatch> matches;
    Search search(pattern, text);
    std::optional<RegexMatch> match = search.next();
    while (match) {
        if (accept(*match)) {
            matches.push_back(std::move(*match));
            match = search.next();
        } else {
            match = search.nextAfter(match->begin);
        }
    }
    return matches;
}

bool holdsLineTerminator(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x0A && c <= 0x0D)
            return true;
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\xC2\x85") || rest.starts_with("\xE2\x80\xA8") ||
            rest.starts_with("\xE2\x80\xA9"))
            return true;
    }
    return false;
}

} // namespace notes
