#include "Toplevels.hpp"
#include "WindowHarness.hpp"

#include <gdk/x11/gdkx.h>

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
    if (!GDK_IS_X11_SURFACE(shown.get_surface()->gobj()))
        GTEST_SKIP() << "keys are sent through X11";
    const std::string window = std::to_string(gdk_x11_surface_get_xid(shown.get_surface()->gobj()));
    const auto press = [&](const std::string& keys) {
        const std::string command =
            "xdotool windowfocus --sync " + window + " key --window " + window + " " + keys;
        return std::system(command.c_str()) == 0;
    };

    ASSERT_TRUE(press("alt+Left"));
    EXPECT_TRUE(waitUntil([&] { return shownNote() == "a.md"; }));
    ASSERT_TRUE(press("alt+Right"));
    EXPECT_TRUE(waitUntil([&] { return shownNote() == "b.md"; }));
}

} // namespace
} // namespace app
