#include "ModelHarness.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

struct RenderingTest : ModelTest {
    RenderingTest() {
        write("A.md", "# Top\nbody");
        write("B.md", "other");
    }
};

TEST_F(RenderingTest, RefreshPublishesOnlyChangedTextUnlessForcedAndTheOutlineFirst) {
    model.refreshPage(true); // no note open
    EXPECT_TRUE(harness.renders.empty());

    std::vector<std::string> seen;
    model.page.connect(
        [&] { seen.push_back(model.headings->empty() ? "" : model.headings.get().front().text); });
    model.open(note("A.md"));
    EXPECT_EQ(seen, std::vector<std::string>{"Top"});
    EXPECT_EQ(*model.headings, (std::vector<notes::OutlineHeading>{{"Top", 1, "Top"}}));
    ReaderPage first = *model.page.get();
    auto pages = countNotifications(model.page);
    auto headings = countNotifications(model.headings);

    model.refreshPage(false);
    EXPECT_EQ(*pages, 0);

    model.refreshPage(true);
    ReaderPage second = *model.page.get();
    EXPECT_EQ(second.revision, 2);
    second.revision = first.revision;
    EXPECT_EQ(second, first);
    EXPECT_EQ(*headings, 0); // the same outline is stored silently

    // A note deleted meanwhile leaves the last page on screen, silently.
    std::filesystem::remove(folder / "A.md");
    model.refreshPage(true);
    EXPECT_EQ(model.page.get()->revision, 2);
    EXPECT_EQ(*model.errorMessage, std::nullopt);
}

TEST_F(RenderingTest, RestoresAStoredOffsetOnlyWithoutAnAnchor) {
    model.scrollPositions[note("A.md")] = 420.0;
    model.open(note("A.md"));
    EXPECT_EQ(model.page.get()->scroll, 420.0);
    model.open(note("B.md"));
    model.open(note("A.md"), "top");
    EXPECT_EQ(model.page.get()->scroll, std::nullopt);

    model.render("text", note("A.md"), std::nullopt, 12);
    EXPECT_EQ(model.page.get()->scrollLine, 12);
    EXPECT_EQ(model.page.get()->scroll, 420.0);
}

TEST_F(RenderingTest, ChangedRenderOptionsRenderTheOpenNoteAgainEqualOnesDoNothing) {
    auto notified = countNotifications(model.renderOptions);
    model.renderOptions.set({notes::FrontmatterMode::hidden, false});
    model.open(note("A.md"));
    model.renderOptions.set({notes::FrontmatterMode::hidden, false});
    EXPECT_EQ(harness.renders.size(), 1u);
    EXPECT_EQ(*notified, 1);

    // The text has not changed, yet the page is made again with the new options.
    model.renderOptions.set({notes::FrontmatterMode::hidden, true});
    ASSERT_EQ(harness.renders.size(), 2u);
    EXPECT_TRUE(harness.renders[1].options.softBreaksAsLineBreaks);
    EXPECT_EQ(model.page.get()->revision, 2);
}

} // namespace
} // namespace reader
