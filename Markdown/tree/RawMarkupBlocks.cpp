#include "Markdown/tree/RawMarkupBlocks.hpp"

#include <atomic>
#include <memory>
#include <new>

namespace markdown::rawMarkupBlocks {
namespace {

constexpr std::size_t blockSize = std::size_t{64} << 10;
// What a thread's spare memory keeps at most.
constexpr std::size_t spareLimit = std::size_t{1} << 20;
// Larger nodes (thousands of children) would leave too much of a block unused.
constexpr std::size_t largestShared = blockSize / 8;

struct Block {
    // Its nodes, and one more while a thread still fills it.
    std::atomic<std::size_t> users{1};
};

// Each node is preceded by the block it lies in.
struct NodePrefix {
    Block* block;
};
constexpr std::size_t prefixSize = sizeof(NodePrefix);
constexpr std::size_t dataStart = (sizeof(Block) + prefixSize - 1) / prefixSize * prefixSize;

void drop(Block* block) noexcept {
    if (block->users.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        std::destroy_at(block);
        ::operator delete(block);
    }
}

Block* newBlock(std::size_t size) {
    auto* block = static_cast<Block*>(::operator new(size));
    std::construct_at(block);
    return block;
}

// The block this thread fills, given up when the thread ends.
struct Filling {
    Block* block = nullptr;
    std::byte* cursor = nullptr;
    std::byte* end = nullptr;

    Filling() = default;
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;
    ~Filling() {
        if (block != nullptr)
            drop(block);
    }
};

thread_local Filling filling;
thread_local SpareMemory* spareMemory = nullptr;

void* place(Block* block, std::byte* at) {
    std::construct_at(reinterpret_cast<NodePrefix*>(at), NodePrefix{block});
    return at + prefixSize;
}

} // namespace

void* allocate(std::size_t size) {
    const std::size_t total = (size + prefixSize + prefixSize - 1) / prefixSize * prefixSize;
    if (total > largestShared) {
        Block* own = newBlock(dataStart + total);
        return place(own, reinterpret_cast<std::byte*>(own) + dataStart);
    }
    if (static_cast<std::size_t>(filling.end - filling.cursor) < total) {
        if (filling.block != nullptr)
            drop(filling.block);
        std::size_t bytes = blockSize;
        std::byte* spare =
            spareMemory != nullptr ? spareMemory->take(dataStart + total, bytes) : nullptr;
        filling.block =
            spare != nullptr ? std::construct_at(reinterpret_cast<Block*>(spare)) : newBlock(bytes);
        filling.cursor = reinterpret_cast<std::byte*>(filling.block) + dataStart;
        filling.end = reinterpret_cast<std::byte*>(filling.block) + bytes;
    }
    filling.block->users.fetch_add(1, std::memory_order_relaxed);
    void* node = place(filling.block, filling.cursor);
    filling.cursor += total;
    return node;
}

void release(void* node) noexcept {
    drop(static_cast<NodePrefix*>(static_cast<void*>(static_cast<std::byte*>(node) - prefixSize))
             ->block);
}

SpareMemory::SpareMemory() : outer(spareMemory) {
    spareMemory = this;
}

SpareMemory::~SpareMemory() {
    spareMemory = outer;
    for (const Piece& piece : pieces)
        ::operator delete(piece.memory);
}

std::byte* SpareMemory::take(std::size_t least, std::size_t& size) {
    while (!pieces.empty()) {
        const Piece piece = pieces.back();
        pieces.pop_back();
        bytes -= piece.size;
        if (piece.size >= least) {
            size = piece.size;
            return piece.memory;
        }
        ::operator delete(piece.memory);
    }
    return nullptr;
}

void SpareMemory::add(std::byte* memory, std::size_t size) {
    // Beyond what the next nodes will soon fill, memory serves the rest of the parse (the
    // nodes' texts) better from the heap.
    if (bytes >= spareLimit) {
        ::operator delete(memory);
        return;
    }
    pieces.push_back({memory, size});
    bytes += size;
}

} // namespace markdown::rawMarkupBlocks
