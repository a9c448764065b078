#pragma once

#include "Markdown/support/Fatal.hpp"

#include <cstdint>
#include <string_view>

namespace markdown {

// `__builtin_LINE()` as a default argument is the caller's line, as `std::source_location` gives
// it, and it is known to every compiler and tool that reads this code.

/// Stops the conversion of a parser tree on something the parser never makes from text. The
/// report names the converter's file, as every stop of the conversion does.
[[noreturn]] inline void conversionStop(std::string_view message = {},
                                        std::uint_least32_t line = __builtin_LINE()) {
    fatal(message, {"Markdown/CommonMarkConverter", line});
}

/// Stops the conversion unless the condition holds.
inline void conversionRequire(bool condition, std::uint_least32_t line = __builtin_LINE()) {
    if (!condition) [[unlikely]]
        conversionStop({}, line);
}

} // namespace markdown
