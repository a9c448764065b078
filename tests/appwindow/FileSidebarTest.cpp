#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

#include <cctype>
#include <set>

namespace app {
namespace {

class SidebarTest : public WindowTest {
protected:
    void SetUp() override {
        writeNote("README.md", "start\n");
        writeNote("Zebra.md", "z\n");
        writeNote("projects/Plan.md", "plan\n");
        writeNote("projects/old/Archive.md", "archive\n");
    }
    [[nodiscard]] std::string key(const std::string& name) const {
        return std::filesystem::canonical(folder / name).string();
    }
};

TEST_F(SidebarTest, PickingAFolderTogglesItPickingANoteOpensItAndAnOpenedNoteRevealsItsRow) {
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
            EXPECT_EQ(*shown.model().expandedFolders, std::set<std::string>{key("projects/old")});
        }
    }

    // A rescan keeps the open folders.
    writeNote("projects/New.md", "new\n");
    ASSERT_TRUE(waitUntil([&] { return shown.sidebar().rows().size() == 7; }));
    EXPECT_EQ(sidebarRows(), (Lines{"+ projects", "  + old", "    Archive", "  New", "  Plan",
                                    "README", "Zebra *"}));
}

TEST_F(SidebarTest, ClickingAFolderTogglesItEvenWhenItIsSelected) {
    auto& shown = open(folderTarget());
    const auto clickRow = [&](const std::string& name) {
        GtkWidget* label =
            editor::findWidget(GTK_WIDGET(shown.sidebar().gobj()), [&](GtkWidget* w) {
                return GTK_IS_LABEL(w) && gtk_label_get_text(GTK_LABEL(w)) == name;
            });
        // Apart from the last, so that it is not taken for a double click.
        gint doubleClick = 0;
        g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClick, nullptr);
        runFor(std::chrono::milliseconds(doubleClick + 100));
        return label && click(label);
    };
    const auto showsAfter = [&](const Lines& lines) {
        return waitUntil([&] { return sidebarRows() == lines; });
    };
    ASSERT_TRUE(clickRow("projects"));
    EXPECT_TRUE(showsAfter({"+ projects *", "  - old", "  Plan", "README", "Zebra"}));
    ASSERT_TRUE(clickRow("projects"));
    EXPECT_TRUE(showsAfter({"- projects *", "README", "Zebra"}));
    ASSERT_TRUE(clickRow("Zebra"));
    EXPECT_TRUE(showsAfter({"- projects", "README", "Zebra *"}));
    EXPECT_EQ(title(), "Zebra");
}

} // namespace
} // namespace app
