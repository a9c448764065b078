#pragma once

#include <cstddef>
#include <vector>

namespace markdown {

/// Memory for raw nodes, cut from blocks that each thread fills in turn: a node costs a few
/// instructions instead of a call into the C heap, and the nodes of one parse lie together. A
/// block goes back to the heap when its last node goes, on whatever thread; a node too large to
/// share a block gets one of its own. Alignment: that of a pointer.
namespace rawMarkupBlocks {

[[nodiscard]] void* allocate(std::size_t size);
void release(void* node) noexcept;

/// While it lives, memory handed to it is what this thread fills with raw nodes before it takes
/// new blocks from the heap: a parse gives its parser's memory as it comes free, so that the
/// raw tree reuses it instead of growing the heap. What is not filled goes back to the heap at
/// the end, and what comes while it already holds a good number of blocks goes back at once.
/// One a thread at a time (an inner one stands in for an outer one while it lives).
class SpareMemory {
public:
    SpareMemory();
    ~SpareMemory();
    SpareMemory(const SpareMemory&) = delete;
    SpareMemory& operator=(const SpareMemory&) = delete;

    /// Takes over `size` bytes from `::operator new`.
    void add(std::byte* memory, std::size_t size);

private:
    friend void* allocate(std::size_t size);
    // A piece of at least `least` bytes and its size, or null; smaller pieces go back to the
    // heap on the way.
    std::byte* take(std::size_t least, std::size_t& size);

    struct Piece {
        std::byte* memory;
        std::size_t size;
    };
    std::vector<Piece> pieces;
    std::size_t bytes = 0;
    SpareMemory* outer;
};

} // namespace rawMarkupBlocks
} // namespace markdown
