#pragma once

#include <cstddef>

namespace bench {

/// The most the C heap has held at once, beyond what it held when the watch began, while the
/// watch lasts. Counts every allocation of the process through malloc and its family, which the
/// program that links this replaces; one watch at a time.
class HeapPeak {
public:
    HeapPeak();
    ~HeapPeak();
    HeapPeak(const HeapPeak&) = delete;
    HeapPeak& operator=(const HeapPeak&) = delete;

    /// The peak so far, in bytes as the heap hands them out (`malloc_usable_size`).
    [[nodiscard]] std::size_t bytes() const;
};

} // namespace bench
