#pragma once

#include <cstddef>
#include <cstdint>

namespace bench {

/// Deterministic and cheap (splitmix64): the same seed always gives the same numbers, so that
/// generated inputs are the same in every run.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    /// A number from 0 to `bound` - 1.
    std::size_t below(std::size_t bound) {
        state += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<std::size_t>((z ^ (z >> 31)) % bound);
    }

private:
    std::uint64_t state;
};

} // namespace bench
