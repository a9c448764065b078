#pragma once

#include <cstddef>

namespace markdown {

/// Memory for raw nodes, cut from blocks that each thread fills in turn: a node costs a few
/// instructions instead of a call into the C heap, and the nodes of one parse lie together. A
/// block goes back to the heap when its last node goes, on whatever thread; a node too large to
/// share a block gets one of its own. Alignment: that of a pointer.
namespace rawMarkupBlocks {

[[nodiscard]] void* allocate(std::size_t size);
void release(void* node) noexcept;

} // namespace rawMarkupBlocks
} // namespace markdown
