#include "Toplevels.hpp"
#include "WindowHarness.hpp"

namespace app {
namespace {

TEST_F(WindowTest, TheApplicationOpensAWindowPerPathInOneProcess) {
    writeNote("Notes/Plan.md", "plan\n");
    writeNote("Daily.md", "today\n");
    Application application(state());

    const auto run =
        runApplication(application, {folder / "Notes", folder / "Daily.md", folder / "Missing.md"},
                       {"Daily", "Notes"});
    // A path with nothing there fails the run once the other windows have closed.
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.titles, (std::vector<std::string>{"Daily", "Notes"}));
}

TEST_F(WindowTest, AltLeftAndAltRightStepThroughHistoryEvenWhenThePageHasTheFocus) {
    writeNote("a.md", "a\n");
    writeNote("b.md", "b\n");
    auto& shown = open(folderTarget("a.md"));
    shown.model().open(note("b.md"));
    settle();
    gtk_widget_grab_focus(shown.noteView().webView().widget());
    runFor(std::chrono::milliseconds(100));
    if (!canSendKeys())
        GTEST_SKIP() << "keys are sent through X11";

    ASSERT_TRUE(press("alt+Left"));
    EXPECT_TRUE(waitUntil([&] { return shownNote() == "a.md"; }));
    ASSERT_TRUE(press("alt+Right"));
    EXPECT_TRUE(waitUntil([&] { return shownNote() == "b.md"; }));
}

} // namespace
} // namespace app
