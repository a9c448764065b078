#pragma once

#include <cstddef>

namespace bench {

/// The bytes the C heap has handed out and not taken back, in every arena, mapped blocks
/// included. Holds whatever allocates: operator new, malloc, and the C libraries beneath.
[[nodiscard]] std::size_t heapBytesInUse();

} // namespace bench
