#include "WindowHarness.hpp"

namespace app {
namespace {

using markdown::URL;

TEST_F(WindowTest, TheWindowsMenuHandsTheNoteToOtherApplications) {
    writeNote("Plan B.md", "plan\n");
    // Asked once per process: in a process of its own this window is the first to ask.
    desktop.obsidianInstalled = true;
    auto& shown = open(folderTarget("Plan B.md"));

    ASSERT_TRUE(shown.activate_action("win.reveal"));
    ASSERT_TRUE(shown.activate_action("win.open-in-default-editor"));
    EXPECT_EQ(desktop.revealed, std::vector<URL>{note("Plan B.md")});
    EXPECT_EQ(desktop.openedElsewhere, std::vector<URL>{note("Plan B.md")});

    const bool obsidian = shown.model().isObsidianInstalled();
    EXPECT_EQ(shown.has_action("open-in-obsidian"), obsidian);
    if (obsidian) {
        ASSERT_TRUE(shown.activate_action("win.open-in-obsidian"));
        EXPECT_EQ(desktop.openedURLs,
                  std::vector<std::string>{"obsidian://open?path=" + folder.path().string() +
                                           "/Plan%20B.md"});
    }
}

} // namespace
} // namespace app
