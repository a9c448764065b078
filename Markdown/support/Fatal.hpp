#pragma once

#include <string_view>

namespace markdown {

/// Stops the program: a broken invariant of the tree or the parser, never bad input.
/// Prints the message (when there is one) to standard error, then aborts.
[[noreturn]] void fatal(std::string_view message = {});

/// Stops the program unless the condition holds.
inline void require(bool condition, std::string_view message = {}) {
    if (!condition) [[unlikely]]
        fatal(message);
}

} // namespace markdown
