#include "bench/support/HeapPeak.hpp"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>

#include <malloc.h>
#include <unistd.h>

// glibc lets a program replace malloc and its family; these reach the real ones.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace bench {
namespace {

std::atomic<bool> watching{false};
std::atomic<std::ptrdiff_t> inUse{0};
std::atomic<std::ptrdiff_t> peak{0};

void change(std::ptrdiff_t bytes) {
    const std::ptrdiff_t now = inUse.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    std::ptrdiff_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

void* counted(void* block) {
    if (block != nullptr && watching.load(std::memory_order_relaxed))
        change(static_cast<std::ptrdiff_t>(malloc_usable_size(block)));
    return block;
}

void uncount(void* block) {
    if (block != nullptr && watching.load(std::memory_order_relaxed))
        change(-static_cast<std::ptrdiff_t>(malloc_usable_size(block)));
}

} // namespace

HeapPeak::HeapPeak() {
    inUse = 0;
    peak = 0;
    watching = true;
}

HeapPeak::~HeapPeak() {
    watching = false;
}

std::size_t HeapPeak::bytes() const {
    return static_cast<std::size_t>(peak.load());
}

} // namespace bench

extern "C" {

void* malloc(std::size_t size) noexcept {
    return bench::counted(__libc_malloc(size));
}

void* calloc(std::size_t count, std::size_t size) noexcept {
    return bench::counted(__libc_calloc(count, size));
}

void* realloc(void* block, std::size_t size) noexcept {
    const bool watched = bench::watching.load(std::memory_order_relaxed);
    const std::size_t before = watched && block != nullptr ? malloc_usable_size(block) : 0;
    void* moved = __libc_realloc(block, size);
    if (moved == nullptr && size != 0)
        return nullptr; // the block stays as it was
    if (watched)
        bench::change(
            static_cast<std::ptrdiff_t>(moved != nullptr ? malloc_usable_size(moved) : 0) -
            static_cast<std::ptrdiff_t>(before));
    return moved;
}

void free(void* block) noexcept {
    bench::uncount(block);
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept {
    return bench::counted(__libc_memalign(alignment, size));
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    return bench::counted(__libc_memalign(alignment, size));
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept {
    *block = bench::counted(__libc_memalign(alignment, size));
    return *block == nullptr && size != 0 ? ENOMEM : 0;
}

void* valloc(std::size_t size) noexcept {
    return bench::counted(__libc_memalign(sysconf(_SC_PAGESIZE), size));
}

void* pvalloc(std::size_t size) noexcept {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return bench::counted(__libc_memalign(page, (size + page - 1) / page * page));
}
}
