#pragma once

#include "Markdown/support/Fatal.hpp"

#include <cstdint>

namespace markdown {

/// a + b; an overflow stops the program (no tree that fits in memory reaches it).
inline std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    require(!__builtin_add_overflow(a, b, &sum));
    return sum;
}

/// a - b; an overflow stops the program.
inline std::int64_t checkedSubtract(std::int64_t a, std::int64_t b) {
    std::int64_t difference = 0;
    require(!__builtin_sub_overflow(a, b, &difference));
    return difference;
}

} // namespace markdown
