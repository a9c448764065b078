#pragma once

#include <unicode/regex.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace notes {

/// One match of a pattern in a UTF-8 text. The engine counts in UTF-16 code units; the
/// match is handed back in bytes of the searched text, which always cut it between whole
/// code points. The views point into the searched text and live as long as it does.
struct RegexMatch {
    std::size_t begin = 0; ///< Byte offset of the whole match.
    std::size_t end = 0;   ///< Byte offset just after it.
    /// Index 0 is the whole match, then each capture group; nothing for a group that took
    /// no part in the match.
    std::vector<std::optional<std::string_view>> groups;
};

/// The first match anywhere in `text`, or nothing. Safe to call from any thread on a
/// shared pattern.
[[nodiscard]] std::optional<RegexMatch> firstMatch(const icu::RegexPattern& pattern,
                                                   std::string_view text);

/// Every match from left to right, none overlapping.
[[nodiscard]] std::vector<RegexMatch> allMatches(const icu::RegexPattern& pattern,
                                                 std::string_view text);

/// The same, keeping only the matches `accept` takes; after a match it refuses, the search
/// goes on from the character after that match's start.
[[nodiscard]] std::vector<RegexMatch>
allMatches(const icu::RegexPattern& pattern, std::string_view text,
           const std::function<bool(const RegexMatch&)>& accept);

/// Whether the text holds a character that ends a line for the patterns ("." stops at it, "$"
/// matches before it): LF, VT, FF, CR, NEL, LS or PS. Text without one lets a pattern of the
/// form "^...(.*)$" be read by hand.
[[nodiscard]] bool holdsLineTerminator(std::string_view text);

} // namespace notes
