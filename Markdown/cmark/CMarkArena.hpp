#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct cmark_mem;

namespace markdown {

/// The memory of a parser and the trees it finishes, handed to the library as its allocator.
/// Small blocks are cut from large chunks by size class and a freed one waits on its class's list
/// for the next request of its class or of a smaller one (which takes a piece of it), so the
/// library's many small allocations stay out of the C heap; larger blocks come from the C heap.
/// What the library frees serves only the library again, until `returnFreedChunks`. Everything
/// goes back when the arena goes, which frees a tree without walking it.
///
/// The library's allocator functions take no context, so an arena takes one of a fixed number of
/// slots, each with functions of its own; while every slot is taken, `memory()` is the library's
/// default allocator and the arena holds nothing. Used by one thread at a time.
class CMarkArena {
public:
    CMarkArena();
    ~CMarkArena();
    CMarkArena(const CMarkArena&) = delete;
    CMarkArena& operator=(const CMarkArena&) = delete;

    /// The allocator to give the library: this arena's, or the default one.
    [[nodiscard]] cmark_mem* memory() const;
    /// True when `memory()` is this arena's, so that its blocks go when the arena does.
    [[nodiscard]] bool holdsMemory() const { return slot >= 0; }

    /// A block of at least `size` bytes, zeroed when asked.
    [[nodiscard]] void* allocate(std::size_t size, bool zeroed);
    /// A block of at least `size` bytes that starts with the block's bytes (as far as both
    /// reach); the block itself may be the answer. A null block is a new one.
    [[nodiscard]] void* reallocate(void* block, std::size_t size);
    /// Gives a block back; null is ignored.
    void release(void* block);

    /// Takes a chunk that no block uses any more: `size` bytes from `::operator new`.
    using ChunkReceiver = std::function<void(std::byte* chunk, std::size_t size)>;

    /// For a caller that frees a finished tree node by node while it builds something else: from
    /// now on a freed block is not kept for reuse, and each chunk goes to `receiver` as soon as
    /// none of its blocks is in use (at once for those already unused), so that the memory
    /// serves what the caller builds. Later requests are served from the C heap. The receiver
    /// must outlive every release that follows.
    void returnFreedChunks(ChunkReceiver receiver);

private:
    struct ChunkFree {
        void operator()(std::byte* chunk) const;
    };
    struct LargeBlock;
    struct Chunk {
        std::unique_ptr<std::byte, ChunkFree> memory;
        std::size_t size;
        std::size_t blocksInUse;
    };
    void giveAway(Chunk& chunk);

    void* allocateLarge(std::size_t total, bool zeroed);
    void* takeFree(std::size_t sizeClass);
    void putFree(void* block, std::size_t sizeClass);
    // A block cut from a free block of a larger class, the rest going back as a free block.
    void* splitFree(std::size_t sizeClass);
    // A block cut from the current chunk (or a new one), with its header written.
    void* carve(std::size_t sizeClass);

    static constexpr std::size_t classCount = 64;

    int slot = -1;
    std::array<void*, classCount> freeBlocks{};
    std::uint64_t classesWithFreeBlocks = 0; // bit by class
    static_assert(classCount <= 64);
    ChunkReceiver receiver; // set once chunks are returned
    std::vector<Chunk> chunks;
    std::byte* cursor = nullptr;
    std::byte* chunkEnd = nullptr;
    std::size_t nextChunkSize;
    LargeBlock* largeBlocks = nullptr;
};

} // namespace markdown
