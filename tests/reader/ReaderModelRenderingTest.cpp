#include "ModelHarness.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using notes::ScratchFolder;

struct RenderingTest : ::testing::Test {
    RenderingTest() {
        ScratchFolder::write(folder / "A.md", "# Top\nbody");
        ScratchFolder::write(folder / "B.md", "other");
    }
    URL note(const char* name) const { return URL::fileURL(folder / name); }

    ScratchFolder folder;
    ModelHarness harness;
    ReaderModel& model = *harness.model;
};

TEST_F(RenderingTest, RefreshPublishesOnlyChangedTextUnlessForced) {
    model.refreshPage(true); // no note open
    EXPECT_TRUE(harness.renders.empty());

    model.open(note("A.md"));
    ReaderPage first = *model.page.get();
    auto pages = countNotifications(model.page);
    auto headings = countNotifications(model.headings);

    model.refreshPage(false);
    EXPECT_EQ(*pages, 0);
    EXPECT_EQ(model.page.get()->revision, 1);

    model.refreshPage(true);
    ReaderPage second = *model.page.get();
    EXPECT_EQ(second.revision, 2);
    second.revision = first.revision;
    EXPECT_EQ(second, first);
    EXPECT_EQ(*headings, 0); // the same outline is stored silently

    ScratchFolder::write(folder / "A.md", "# Top\nchanged");
    model.refreshPage(false);
    EXPECT_EQ(model.page.get()->revision, 3);
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("# Top") + paragraph("changed"));

    // A note deleted meanwhile leaves the last page on screen, silently.
    fs::remove(folder / "A.md");
    model.refreshPage(true);
    EXPECT_EQ(model.page.get()->revision, 3);
    EXPECT_EQ(*model.errorMessage, std::nullopt);
    EXPECT_EQ(*pages, 2);
}

TEST_F(RenderingTest, PublishesTheOutlineBeforeItsPage) {
    std::vector<std::string> seen;
    model.page.connect(
        [&] { seen.push_back(model.headings->empty() ? "" : model.headings.get().front().text); });
    model.open(note("A.md"));
    EXPECT_EQ(seen, std::vector<std::string>{"Top"});
    EXPECT_EQ(*model.headings, (std::vector<notes::OutlineHeading>{{"Top", 1, "Top"}}));
}

TEST_F(RenderingTest, RestoresAStoredOffsetOnlyWithoutAnAnchor) {
    model.open(note("A.md"));
    EXPECT_EQ(model.page.get()->scroll, std::nullopt);
    model.scrollPositions[note("A.md")] = 420.0;
    model.open(note("B.md"));
    EXPECT_EQ(model.page.get()->scroll, std::nullopt);

    model.goBack();
    EXPECT_EQ(model.page.get()->scroll, 420.0);
    EXPECT_EQ(model.page.get()->anchor, std::nullopt);

    model.open(note("B.md"));
    model.open(note("A.md"), "top");
    EXPECT_EQ(model.page.get()->scroll, std::nullopt);
    EXPECT_EQ(model.page.get()->anchor, "top");

    model.render("text", note("A.md"), std::nullopt, 12);
    EXPECT_EQ(model.page.get()->scrollLine, 12);
    EXPECT_EQ(model.page.get()->scroll, 420.0);
}

} // namespace
} // namespace reader
