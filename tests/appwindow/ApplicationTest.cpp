#include "WindowHarness.hpp"

#include "app/Application.hpp"

#include <glibmm/main.h>

#include <algorithm>

namespace app {
namespace {

std::vector<std::string> windowTitles() {
    std::vector<std::string> titles;
    auto toplevels = Gtk::Window::get_toplevels();
    for (guint position = 0; position < toplevels->get_n_items(); ++position) {
        auto window = std::dynamic_pointer_cast<Gtk::Window>(toplevels->get_object(position));
        if (window)
            titles.push_back(window->get_title());
    }
    std::ranges::sort(titles);
    return titles;
}

void closeAllWindows() {
    auto toplevels = Gtk::Window::get_toplevels();
    while (toplevels->get_n_items() > 0) {
        auto window = std::dynamic_pointer_cast<Gtk::Window>(toplevels->get_object(0));
        if (!window)
            break;
        window->close();
    }
}

TEST_F(WindowTest, TheApplicationOpensAWindowPerPathInOneProcess) {
    writeNote("Notes/Plan.md", "plan\n");
    writeNote("Daily.md", "today\n");
    Application application(state());

    std::vector<std::string> titles;
    const auto started = std::chrono::steady_clock::now();
    Glib::signal_timeout().connect(
        [&] {
            titles = windowTitles();
            if (titles.size() < 2 &&
                std::chrono::steady_clock::now() - started < std::chrono::seconds(20))
                return true;
            closeAllWindows();
            return false;
        },
        50);
    std::vector<std::string> arguments{"lumenleaf", folder / "Notes", folder / "Daily.md",
                                       folder / "Missing.md"};
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    // A path with nothing there fails the run once the other windows have closed.
    EXPECT_EQ(application.run(static_cast<int>(argv.size()), argv.data()), 1);
    EXPECT_EQ(titles, (std::vector<std::string>{"Daily", "Notes"}));
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
