#include "ModelHarness.hpp"

namespace reader {
namespace {

struct RenderingTest : ModelTest {
    RenderingTest() {
        write("A.md", "# Top\nbody");
        write("B.md", "other");
    }
};

TEST_F(RenderingTest, RendersAgainOnlyForNewTextOrOptionsOrWhenForcedAndPublishesTheOutlineFirst) {
    model.refreshPage(true); // no note open
    EXPECT_TRUE(renders.empty());

    std::vector<std::string> seen;
    model.page.connect(
        [&] { seen.push_back(model.headings->empty() ? "" : model.headings.get().front().text); });
    model.open(note("A.md"));
    EXPECT_TRUE(seen.empty()); // rendered in the background
    settle();
    EXPECT_EQ(seen, std::vector<std::string>{"Top"});
    ReaderPage first = *model.page.get();

    model.refreshPage(false); // the same text
    settle();
    EXPECT_EQ(renders.size(), 1u);
    model.refreshPage(true);
    settle();
    first.revision = 2;
    EXPECT_EQ(*model.page, first);

    // The text has not changed, yet the page is made again with the new options.
    model.renderOptions.set({notes::FrontmatterMode::hidden, true});
    settle();
    EXPECT_EQ(std::tuple(renders.size(), renders.back().second.softBreaksAsLineBreaks),
              std::tuple(3u, true));

    // A note deleted meanwhile leaves the last page on screen, silently.
    std::filesystem::remove(folder / "A.md");
    model.refreshPage(true);
    settle();
    EXPECT_EQ(std::tuple(model.page.get()->revision, *model.errorMessage),
              std::tuple(3, std::nullopt));
}

// Mended: notes used to be rendered on the main thread, and one that took long froze the window.
TEST_F(RenderingTest, OnlyTheNewestRenderingLandsNoneWithoutAPageAndAnOffsetOnlyWithoutAnAnchor) {
    background.hold = true;
    int pages = 0;
    model.page.connect([&] { ++pages; });
    model.open(note("A.md"));
    model.open(note("B.md"));
    EXPECT_TRUE(*model.isRendering);
    finish(1);
    finish(0);
    EXPECT_EQ(
        std::tuple(pages, *model.page, model.headings->size(), *model.isRendering),
        std::tuple(1, ReaderPage{note("B.md"), paragraph("other"), 1, {}, {}, {}}, 0u, false));

    const std::function<void()> leaving[] = {
        [&] { model.open(note("Gone.md")); },
        [&] { model.openFolder(root(), std::nullopt); },
    };
    for (const auto& leave : leaving) {
        model.open(note("A.md"));
        leave();
        finish();
        EXPECT_EQ(std::tuple(*model.page, model.headings->size(), *model.isRendering),
                  std::tuple(std::nullopt, 0u, false));
    }

    // A stored offset is restored only without an anchor.
    background.hold = false;
    model.scrollPositions[note("A.md")] = 420.0;
    model.open(note("A.md"));
    settle();
    EXPECT_EQ(model.page.get()->scroll, 420.0);
    model.open(note("B.md"));
    model.open(note("A.md"), "top");
    settle();
    EXPECT_EQ(model.page.get()->scroll, std::nullopt);

    model.render("text", note("A.md"), std::nullopt, 12);
    settle();
    EXPECT_EQ(std::tuple(model.page.get()->scrollLine, model.page.get()->scroll),
              std::tuple(12, 420.0));
}

} // namespace
} // namespace reader
