#pragma once

#include <cstdint>

namespace markdown {

// The process-wide source of tree identifiers: the only state all trees share.

/// Adds 1 to the counter atomically and returns the new value; the first call gives 1.
std::uint64_t increment_and_get_unique_id();
/// The counter's current value, unchanged.
std::uint64_t current_unique_id();
/// The same as increment_and_get_unique_id, under the name the parser knows.
inline std::uint64_t incrementAndGetUniqueIdentifier() {
    return increment_and_get_unique_id();
}

} // namespace markdown
