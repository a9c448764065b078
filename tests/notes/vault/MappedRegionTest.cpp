#include "notes/vault/MappedRegion.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace notes {
namespace {

bool all(const std::byte* from, const std::byte* to, int value) {
    return std::all_of(from, to, [&](std::byte b) { return b == std::byte(value); });
}

// Small regions, one just large enough for huge pages, and one growing past it.
TEST(MappedRegion, IsZeroedAndKeepsItsContentsAsItGrows) {
    const std::size_t sizes[][2] = {
        {1, 10}, {5000, 900'000}, {1'500'000, 1'600'000}, {100, 5'000'000}};
    for (const auto& [first, grown] : sizes) {
        SCOPED_TRACE(first);
        MappedRegion region(first);
        ASSERT_GE(region.size(), first);
        EXPECT_TRUE(all(region.data(), region.data() + region.size(), 0));
        std::fill(region.data(), region.data() + first, std::byte{0x5a});

        region.grow(grown);
        ASSERT_GE(region.size(), grown);
        EXPECT_TRUE(all(region.data(), region.data() + first, 0x5a));
        EXPECT_TRUE(all(region.data() + first, region.data() + region.size(), 0));
    }
}

TEST(MappedRegion, MovesItsMemoryAndGrowsFromNothing) {
    MappedRegion region(64);
    region.data()[63] = std::byte{7};
    MappedRegion moved = std::move(region);
    EXPECT_EQ(moved.data()[63], std::byte{7});
    EXPECT_EQ(region.data(), nullptr);

    region.grow(3);
    ASSERT_GE(region.size(), 3U);
    EXPECT_EQ(region.data()[2], std::byte{0});
}

} // namespace
} // namespace notes
