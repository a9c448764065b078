#include "notes/RenderOptions.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(RenderOptions, FrontmatterModesByExactRawValueAndDefaults) {
    std::vector<std::string_view> raw;
    for (FrontmatterMode mode : allFrontmatterModes)
        raw.push_back(rawValue(mode));
    EXPECT_EQ(raw, (std::vector<std::string_view>{"collapsed", "hidden"}));
    EXPECT_EQ(frontmatterModeFromRawValue("collapsed"), FrontmatterMode::collapsed);
    EXPECT_EQ(frontmatterModeFromRawValue("hidden"), FrontmatterMode::hidden);
    EXPECT_EQ(frontmatterModeFromRawValue("Hidden"), std::nullopt);

    // The default shows the Properties box and keeps single line breaks.
    EXPECT_EQ(RenderOptions{}, (RenderOptions{FrontmatterMode::collapsed, false}));
    EXPECT_NE(RenderOptions{}, (RenderOptions{FrontmatterMode::hidden, false}));
    EXPECT_NE(RenderOptions{}, (RenderOptions{FrontmatterMode::collapsed, true}));
}

} // namespace
} // namespace notes
