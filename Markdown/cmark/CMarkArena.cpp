#include "Markdown/cmark/CMarkArena.hpp"

#include "Markdown/support/Fatal.hpp"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include <cmark-gfm.h>

namespace markdown {
namespace {

// Every block starts with its size class and the number of the chunk it was cut from; the
// caller's bytes follow.
using BlockHeader = std::uint64_t;
constexpr std::size_t headerSize = sizeof(BlockHeader);

// Classes step by 8 bytes up to 512: the library's nodes, list items, delimiters and short
// texts. Larger blocks, mostly buffers that grow, come from the C heap one by one, which reuses
// their memory across sizes.
constexpr std::size_t classStep = 8;
constexpr std::size_t largestClassed = 512;
constexpr BlockHeader largeClass = ~BlockHeader{0};
constexpr BlockHeader classMask = 0xFFFF'FFFF;

constexpr std::size_t firstChunkSize = std::size_t{16} << 10;
// Small chunks come free sooner while a tree is freed node by node.
constexpr std::size_t largestChunkSize = std::size_t{64} << 10;

// The class whose blocks first hold `total` bytes, header included.
std::size_t classOf(std::size_t total) {
    return (total + classStep - 1) / classStep - 1;
}

// A class's block size, header included.
std::size_t capacityOf(std::size_t sizeClass) {
    return (sizeClass + 1) * classStep;
}

BlockHeader& headerOf(void* block) {
    return *reinterpret_cast<BlockHeader*>(static_cast<std::byte*>(block) - headerSize);
}

BlockHeader makeHeader(std::size_t sizeClass, std::size_t chunk) {
    return BlockHeader{chunk} << 32 | sizeClass;
}

std::size_t classIn(BlockHeader header) {
    return header & classMask;
}

std::size_t chunkIn(BlockHeader header) {
    return header >> 32;
}

[[noreturn]] void outOfMemory() {
    fatal("cmark-gfm's arena could not get memory from the C heap");
}

// The C heap's calls are kept to these three: the library's allocator interface is C's own, and
// what they return is owned by the arena's list of large blocks. Chunks come from operator new,
// so that a chunk's receiver can treat it as any block from operator new.
void* heapBlock(std::size_t size, bool zeroed) {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc,cppcoreguidelines-owning-memory)
    void* block = zeroed ? std::calloc(1, size) : std::malloc(size);
    if (block == nullptr)
        outOfMemory();
    return block;
}

void* resizedHeapBlock(void* block, std::size_t size) {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc,cppcoreguidelines-owning-memory)
    void* moved = std::realloc(block, size);
    if (moved == nullptr)
        outOfMemory();
    return moved;
}

void freeHeapBlock(void* block) {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc,cppcoreguidelines-owning-memory)
    std::free(block);
}

// Arenas by slot; each slot has allocator functions that find its arena here.
constexpr std::size_t slotCount = 64;
std::array<std::atomic<CMarkArena*>, slotCount> arenas{};

template <std::size_t Slot> void* slotCalloc(std::size_t count, std::size_t size) {
    std::size_t total = 0;
    if (__builtin_mul_overflow(count, size, &total))
        outOfMemory();
    return arenas[Slot].load(std::memory_order_acquire)->allocate(total, true);
}

template <std::size_t Slot> void* slotRealloc(void* block, std::size_t size) {
    return arenas[Slot].load(std::memory_order_acquire)->reallocate(block, size);
}

template <std::size_t Slot> void slotFree(void* block) {
    arenas[Slot].load(std::memory_order_acquire)->release(block);
}

template <std::size_t... Slots>
constexpr std::array<cmark_mem, slotCount> slotAllocators(std::index_sequence<Slots...>) {
    return {cmark_mem{slotCalloc<Slots>, slotRealloc<Slots>, slotFree<Slots>}...};
}

std::array<cmark_mem, slotCount> allocators = slotAllocators(std::make_index_sequence<slotCount>{});

} // namespace

// A block above the largest class: straight from the C heap, linked so that the arena can free
// what is left of them when it goes.
struct CMarkArena::LargeBlock {
    LargeBlock* previous;
    LargeBlock* next;
    std::size_t capacity; // for the caller
    BlockHeader header;
};

CMarkArena::CMarkArena() : nextChunkSize(firstChunkSize) {
    for (std::size_t index = 0; index < slotCount; ++index) {
        CMarkArena* expected = nullptr;
        if (arenas[index].compare_exchange_strong(expected, this, std::memory_order_acq_rel)) {
            slot = static_cast<int>(index);
            return;
        }
    }
}

CMarkArena::~CMarkArena() {
    while (largeBlocks != nullptr)
        release(reinterpret_cast<std::byte*>(largeBlocks) + sizeof(LargeBlock));
    if (holdsMemory())
        arenas[static_cast<std::size_t>(slot)].store(nullptr, std::memory_order_release);
}

cmark_mem* CMarkArena::memory() const {
    return holdsMemory() ? &allocators[static_cast<std::size_t>(slot)]
                         : cmark_get_default_mem_allocator();
}

void* CMarkArena::allocate(std::size_t size, bool zeroed) {
    // Room for the link of a free block, as every class has.
    const std::size_t total = std::max(size, sizeof(void*)) + headerSize;
    // Once chunks are returned, what little is still asked for comes from the C heap: a chunk
    // that comes and goes with one block would cost more than the block.
    if (total > largestClassed || receiver)
        return allocateLarge(total, zeroed);
    const std::size_t sizeClass = classOf(total);
    void* block = takeFree(sizeClass);
    if (block == nullptr)
        block = splitFree(sizeClass);
    if (block == nullptr)
        block = carve(sizeClass);
    ++chunks[chunkIn(headerOf(block))].blocksInUse;
    // Chunks come unzeroed: zeroing a block as it is handed out touches only what is used,
    // while it is about to be used.
    std::memset(block, 0, zeroed ? std::max(size, sizeof(void*)) : sizeof(void*));
    return block;
}

void* CMarkArena::reallocate(void* block, std::size_t size) {
    if (block == nullptr)
        return allocate(size, false);
    const BlockHeader header = headerOf(block);
    if (header == largeClass) {
        auto* large =
            reinterpret_cast<LargeBlock*>(static_cast<std::byte*>(block) - sizeof(LargeBlock));
        if (size <= large->capacity)
            return block;
        // The C heap may grow the block in place; the links follow it if it moves.
        large = static_cast<LargeBlock*>(resizedHeapBlock(large, sizeof(LargeBlock) + size));
        large->capacity = size;
        (large->previous != nullptr ? large->previous->next : largeBlocks) = large;
        if (large->next != nullptr)
            large->next->previous = large;
        return reinterpret_cast<std::byte*>(large) + sizeof(LargeBlock);
    }
    const std::size_t capacity = capacityOf(classIn(header)) - headerSize;
    if (size <= capacity)
        return block;
    void* grown = allocate(size, false);
    std::memcpy(grown, block, capacity);
    release(block);
    return grown;
}

void CMarkArena::release(void* block) {
    if (block == nullptr)
        return;
    const BlockHeader header = headerOf(block);
    if (header == largeClass) {
        auto* large =
            reinterpret_cast<LargeBlock*>(static_cast<std::byte*>(block) - sizeof(LargeBlock));
        (large->previous != nullptr ? large->previous->next : largeBlocks) = large->next;
        if (large->next != nullptr)
            large->next->previous = large->previous;
        freeHeapBlock(large);
        return;
    }
    Chunk& chunk = chunks[chunkIn(header)];
    --chunk.blocksInUse;
    if (!receiver)
        putFree(block, classIn(header));
    else if (chunk.blocksInUse == 0)
        giveAway(chunk);
}

void CMarkArena::returnFreedChunks(ChunkReceiver chunkReceiver) {
    receiver = std::move(chunkReceiver);
    // Free blocks lie in chunks that may go now; none is handed out again.
    freeBlocks.fill(nullptr);
    classesWithFreeBlocks = 0;
    cursor = nullptr;
    chunkEnd = nullptr;
    for (Chunk& chunk : chunks)
        if (chunk.blocksInUse == 0 && chunk.memory)
            giveAway(chunk);
}

void CMarkArena::giveAway(Chunk& chunk) {
    receiver(chunk.memory.release(), chunk.size);
}

void* CMarkArena::takeFree(std::size_t sizeClass) {
    void* block = freeBlocks[sizeClass];
    if (block == nullptr)
        return nullptr;
    freeBlocks[sizeClass] = *static_cast<void**>(block);
    if (freeBlocks[sizeClass] == nullptr)
        classesWithFreeBlocks &= ~(std::uint64_t{1} << sizeClass);
    return block;
}

void CMarkArena::putFree(void* block, std::size_t sizeClass) {
    *static_cast<void**>(block) = freeBlocks[sizeClass];
    freeBlocks[sizeClass] = block;
    classesWithFreeBlocks |= std::uint64_t{1} << sizeClass;
}

void* CMarkArena::splitFree(std::size_t sizeClass) {
    // Two classes up at least, so that the rest can hold a free block's link.
    if (sizeClass + 2 >= classCount)
        return nullptr;
    const std::uint64_t larger = classesWithFreeBlocks & (~std::uint64_t{0} << (sizeClass + 2));
    if (larger == 0)
        return nullptr;
    const auto largerClass = static_cast<std::size_t>(std::countr_zero(larger));
    auto* block = static_cast<std::byte*>(takeFree(largerClass));
    const std::size_t chunk = chunkIn(headerOf(block));
    headerOf(block) = makeHeader(sizeClass, chunk);
    std::byte* rest = block + capacityOf(sizeClass);
    const std::size_t restClass = classOf(capacityOf(largerClass) - capacityOf(sizeClass));
    headerOf(rest) = makeHeader(restClass, chunk);
    putFree(rest, restClass);
    return block;
}

void* CMarkArena::allocateLarge(std::size_t total, bool zeroed) {
    const std::size_t size = total - headerSize;
    auto* large = static_cast<LargeBlock*>(heapBlock(sizeof(LargeBlock) + size, zeroed));
    *large = {nullptr, largeBlocks, size, largeClass};
    if (largeBlocks != nullptr)
        largeBlocks->previous = large;
    largeBlocks = large;
    return reinterpret_cast<std::byte*>(large) + sizeof(LargeBlock);
}

void* CMarkArena::carve(std::size_t sizeClass) {
    const std::size_t capacity = capacityOf(sizeClass);
    if (static_cast<std::size_t>(chunkEnd - cursor) < capacity) {
        // What is left of the chunk is too small for this block; it stays unused.
        const std::size_t size = std::max(nextChunkSize, capacity);
        nextChunkSize = std::min(nextChunkSize * 2, largestChunkSize);
        auto* memory = static_cast<std::byte*>(::operator new(size, std::nothrow));
        if (memory == nullptr)
            outOfMemory();
        chunks.push_back({std::unique_ptr<std::byte, ChunkFree>(memory), size, 0});
        cursor = chunks.back().memory.get();
        chunkEnd = cursor + size;
    }
    *reinterpret_cast<BlockHeader*>(cursor) = makeHeader(sizeClass, chunks.size() - 1);
    void* block = cursor + headerSize;
    cursor += capacity;
    return block;
}

void CMarkArena::ChunkFree::operator()(std::byte* chunk) const {
    ::operator delete(chunk);
}

} // namespace markdown
