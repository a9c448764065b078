#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

#include <cctype>
#include <set>

namespace app {
namespace {

TEST_F(WindowTest, PickingOrClickingAFolderTogglesItPickingANoteOpensItAndRevealsItsRow) {
    for (const char* name :
         {"README.md", "Zebra.md", "projects/Plan.md", "projects/old/Archive.md"})
        writeNote(name, "text\n");
    auto& shown = open(folderTarget());
    EXPECT_EQ(sidebarRows(), (Lines{"- projects", "README *", "Zebra"}));
    // Steps in turn: a row picked, a note opened, or back; and the rows after.
    const std::pair<std::string, Lines> steps[] = {
        {"0", {"+ projects *", "  - old", "  Plan", "README", "Zebra"}},
        {"1", {"+ projects", "  + old *", "    Archive", "  Plan", "README", "Zebra"}},
        {"0", {"- projects *", "README", "Zebra"}},
        // The inner folder is still open when its parent opens again.
        {"0", {"+ projects *", "  + old", "    Archive", "  Plan", "README", "Zebra"}},
        {"Zebra.md", {"+ projects", "  + old", "    Archive", "  Plan", "README", "Zebra *"}},
        {"3", {"+ projects", "  + old", "    Archive", "  Plan *", "README", "Zebra"}},
        {"back", {"+ projects", "  + old", "    Archive", "  Plan", "README", "Zebra *"}},
        {"0", {"- projects *", "README", "Zebra"}},
        {"projects/old/Archive.md",
         {"+ projects", "  + old", "    Archive *", "  Plan", "README", "Zebra"}},
        {"back", {"+ projects", "  + old", "    Archive", "  Plan", "README", "Zebra *"}},
    };
    for (const auto& [step, lines] : steps) {
        if (std::isdigit(step[0]))
            shown.sidebar().pick(std::stoi(step));
        else if (step == "back")
            ASSERT_TRUE(shown.activate_action("win.back"));
        else
            shown.model().open(note(step));
        settle();
        EXPECT_EQ(sidebarRows(), lines) << step;
        if (lines[0] == "- projects *") {
            EXPECT_EQ(*shown.model().expandedFolders,
                      std::set{std::filesystem::canonical(folder / "projects/old").string()});
        }
    }

    // A rescan keeps the open folders.
    writeNote("projects/New.md", "new\n");
    ASSERT_TRUE(waitUntil([&] { return shown.sidebar().rows().size() == 7; }));
    EXPECT_EQ(sidebarRows(), (Lines{"+ projects", "  + old", "    Archive", "  New", "  Plan",
                                    "README", "Zebra *"}));

    // Clicked, a folder toggles even when it is selected.
    const std::pair<std::string, Lines> clicks[] = {
        {"projects", {"- projects *", "README", "Zebra"}},
        {"projects",
         {"+ projects *", "  + old", "    Archive", "  New", "  Plan", "README", "Zebra"}},
        {"README",
         {"+ projects", "  + old", "    Archive", "  New", "  Plan", "README *", "Zebra"}},
    };
    for (const auto& [name, lines] : clicks) {
        GtkWidget* label =
            editor::findWidget(GTK_WIDGET(shown.sidebar().gobj()), [&](GtkWidget* w) {
                return GTK_IS_LABEL(w) && gtk_label_get_text(GTK_LABEL(w)) == name;
            });
        // Apart from the last, so that it is not taken for a double click.
        gint doubleClick = 0;
        g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClick, nullptr);
        runFor(std::chrono::milliseconds(doubleClick + 100));
        ASSERT_TRUE(label && click(label)) << name;
        EXPECT_TRUE(waitUntil([&] { return sidebarRows() == lines; })) << name;
    }
    EXPECT_EQ(title(), "README");
}

} // namespace
} // namespace app
