#include "WindowHarness.hpp"

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

TEST_F(WindowTest, TheApplicationReopensTheWindowsOpenWhenItEndedOrOpensAWindowPerPath) {
    writeNote("Notes/Plan.md", "plan\n");
    writeNote("Daily.md", "today\n");
    const WindowTarget kept{URL::fileURL(folder / "Notes"), note("Notes/Plan.md")};
    // Its folder and note are gone: an empty window.
    const WindowTarget gone{URL::fileURL(folder / "Gone"), note("Gone/x.md")};
    writeSettings("windows=" + nlohmann::json::array({kept.keyed(), gone.keyed()}).dump() + "\n");
    // Quitting with both windows open keeps both.
    EXPECT_EQ(runApplication({}, {"Lumenleaf", "Plan"},
                             [](Application& application) { application.quit(); }),
              (ApplicationRun{0, {"Lumenleaf", "Plan"}}));
    EXPECT_EQ(WindowRestoration(state().settings).stored(),
              (std::vector<WindowTarget>{kept, gone}));

    // Given paths, it opens a window for each instead; a path with nothing there fails the run
    // once the other windows have closed.
    EXPECT_EQ(runApplication({folder / "Notes", folder / "Daily.md", folder / "Missing.md"},
                             {"Daily", "Notes"}),
              (ApplicationRun{1, {"Daily", "Notes"}}));
    // Closing the windows one by one ends the application with the last of them.
    const auto stored = WindowRestoration(state().settings).stored();
    EXPECT_TRUE(
        (stored == std::vector{WindowTarget{URL::fileURL(folder / "Notes"), std::nullopt}} ||
         stored == std::vector{WindowTarget{std::nullopt, note("Daily.md")}}));
}

} // namespace
} // namespace app
