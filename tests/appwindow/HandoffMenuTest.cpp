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

TEST_F(WindowTest, HandingOverIsEnabledOnlyWithSomethingToHandOver) {
    writeNote("a.md", "a\n");
    const auto enabled = [](ReaderWindow& window) {
        std::string names;
        for (const char* name : {"reveal", "open-in-default-editor", "open-in-obsidian"}) {
            auto action = std::dynamic_pointer_cast<Gio::SimpleAction>(window.lookup_action(name));
            if (action && action->get_enabled())
                names += (names.empty() ? "" : " ") + std::string(name);
        }
        return names;
    };

    EXPECT_EQ(enabled(open({})), "");
    // With only a folder, there is a folder to reveal.
    EXPECT_EQ(enabled(open(folderTarget())), "reveal");
    window->model().open(note("a.md"));
    settle();
    const std::string withNote = enabled(*window);
    EXPECT_TRUE(withNote == "reveal open-in-default-editor" ||
                withNote == "reveal open-in-default-editor open-in-obsidian")
        << withNote;
}

} // namespace
} // namespace app
