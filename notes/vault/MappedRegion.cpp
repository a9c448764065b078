#include "notes/vault/MappedRegion.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>
#include <utility>

namespace notes {

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;
// From here on a region is rounded up to whole huge pages: below it, clearing a huge page would
// cost more than the faults of the small pages it saves.
constexpr std::size_t hugeFrom = hugePage / 2;

std::size_t roundedUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

std::size_t mappedLength(std::size_t bytes) {
    if (bytes >= hugeFrom)
        return roundedUp(bytes, hugePage);
    return roundedUp(bytes == 0 ? 1 : bytes, static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)));
}

std::byte* mapped(std::size_t length) {
    void* at = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (at == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<std::byte*>(at);
}

// A huge page must start on a huge-page boundary: map a huge page more than needed and give
// back the ends.
std::byte* mappedOnHugePages(std::size_t length) {
    std::byte* at = mapped(length + hugePage);
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    const std::size_t head = roundedUp(address, hugePage) - address;
    if (head > 0)
        ::munmap(at, head);
    ::munmap(at + head + length, hugePage - head);
    // Only advice: where transparent huge pages are off, the region keeps small pages.
    ::madvise(at + head, length, MADV_HUGEPAGE);
    return at + head;
}

} // namespace

MappedRegion::MappedRegion(std::size_t bytes) : length(mappedLength(bytes)) {
    base = length % hugePage == 0 ? mappedOnHugePages(length) : mapped(length);
}

MappedRegion::MappedRegion(MappedRegion&& other) noexcept
    : base(std::exchange(other.base, nullptr)), length(std::exchange(other.length, 0)) {}

MappedRegion& MappedRegion::operator=(MappedRegion&& other) noexcept {
    if (this != &other) {
        release();
        base = std::exchange(other.base, nullptr);
        length = std::exchange(other.length, 0);
    }
    return *this;
}

MappedRegion::~MappedRegion() {
    release();
}

void MappedRegion::grow(std::size_t bytes) {
    if (bytes <= length)
        return;
    if (base == nullptr) {
        *this = MappedRegion(bytes);
        return;
    }
    const std::size_t grown = mappedLength(bytes);
    void* at = ::mremap(base, length, grown, MREMAP_MAYMOVE);
    if (at == MAP_FAILED)
        throw std::bad_alloc();
    base = static_cast<std::byte*>(at);
    length = grown;
    if (length % hugePage == 0)
        ::madvise(base, length, MADV_HUGEPAGE);
}

void MappedRegion::release() {
    if (base != nullptr)
        ::munmap(base, length);
    base = nullptr;
    length = 0;
}

} // namespace notes
