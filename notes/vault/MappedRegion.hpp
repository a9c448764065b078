#pragma once

#include <cstddef>

namespace notes {

/// Zeroed memory mapped for one owner and given back in one piece. A large region lies on huge
/// pages where the system allows: a few faults fill it instead of one per page, and its table
/// lookups miss the address cache less.
class MappedRegion {
public:
    MappedRegion() = default;
    /// At least `bytes` of zeroed memory; throws std::bad_alloc when none can be had.
    explicit MappedRegion(std::size_t bytes);
    MappedRegion(MappedRegion&& other) noexcept;
    MappedRegion& operator=(MappedRegion&& other) noexcept;
    MappedRegion(const MappedRegion&) = delete;
    MappedRegion& operator=(const MappedRegion&) = delete;
    ~MappedRegion();

    [[nodiscard]] std::byte* data() const { return base; }
    [[nodiscard]] std::size_t size() const { return length; }

    /// Makes the region at least `bytes` long, keeping its contents and zeroing what is new; the
    /// data may move. Throws std::bad_alloc when it cannot grow.
    void grow(std::size_t bytes);

private:
    void release();

    std::byte* base = nullptr;
    std::size_t length = 0;
};

} // namespace notes
