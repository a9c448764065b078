#pragma once

#include <unicode/regex.h>

#include <cstdint>
#include <memory>
#include <source_location>
#include <string_view>

namespace notes {

/// Builds one of the application's fixed patterns (ICU syntax; `flags` are ICU's
/// `URegexpFlag` bits, none by default: case-sensitive, `^` and `$` at the ends of the
/// searched text only, `.` not matching a line break).
///
/// Every pattern is a process-wide constant, built on first use and shared read-only
/// afterwards; each search makes its own matcher (see RegexMatch.hpp):
///
///     const icu::RegexPattern& calloutPattern() {
///         static const auto pattern = makeRegex(R"(^\[!([A-Za-z-]+)\])");
///         return *pattern;
///     }
///
/// A pattern that does not build is a programming error: the program stops, naming the
/// source position of the call.
[[nodiscard]] std::unique_ptr<const icu::RegexPattern>
makeRegex(std::string_view pattern, uint32_t flags = 0,
          std::source_location where = std::source_location::current());

} // namespace notes
