#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

#include <set>

namespace app {
namespace {

/// The visible rows as "name" lines indented by depth, with "+" for an expanded folder,
/// "-" for a collapsed one and "*" for the selected row.
std::vector<std::string> outline(const FileSidebar& sidebar) {
    std::vector<std::string> lines;
    for (const auto& row : sidebar.rows()) {
        std::string line(row.depth * 2, ' ');
        line += row.isFolder ? (row.isExpanded ? "+ " : "- ") : "";
        line += row.name;
        if (row.isSelected)
            line += " *";
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

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

TEST_F(SidebarTest, PickingAFolderTogglesItInTheModelAndPickingANoteOpensIt) {
    auto& shown = open(folderTarget());
    EXPECT_EQ(outline(shown.sidebar()), (Lines{"- projects", "README *", "Zebra"}));
    // Rows picked in turn (-1: the model opens Zebra, whose row takes the selection back).
    const std::pair<int, Lines> steps[] = {
        {0, {"+ projects *", "  - old", "  Plan", "README", "Zebra"}},
        {1, {"+ projects", "  + old *", "    Archive", "  Plan", "README", "Zebra"}},
        {0, {"- projects *", "README", "Zebra"}},
        // The inner folder is still open when its parent opens again.
        {0, {"+ projects *", "  + old", "    Archive", "  Plan", "README", "Zebra"}},
        {-1, {"+ projects", "  + old", "    Archive", "  Plan", "README", "Zebra *"}},
        {3, {"+ projects", "  + old", "    Archive", "  Plan *", "README", "Zebra"}},
    };
    for (const auto& [row, lines] : steps) {
        row < 0 ? shown.model().open(note("Zebra.md")) : shown.sidebar().pick(row);
        settle();
        EXPECT_EQ(outline(shown.sidebar()), lines) << row;
        if (lines[0] == "- projects *") {
            EXPECT_EQ(*shown.model().expandedFolders, std::set<std::string>{key("projects/old")});
        }
    }
    EXPECT_EQ(shownNote(), "projects/Plan.md");
    ASSERT_TRUE(shown.activate_action("win.back"));
    settle();
    EXPECT_EQ(shownNote(), "Zebra.md");
}

TEST_F(SidebarTest, ANoteOpenedDeepInsideRevealsItsFoldersWhichARescanKeeps) {
    auto& shown = open(folderTarget());
    shown.model().open(note("projects/old/Archive.md"));
    settle();
    EXPECT_EQ(outline(shown.sidebar()),
              (Lines{"+ projects", "  + old", "    Archive *", "  Plan", "README", "Zebra"}));
    ASSERT_TRUE(shown.activate_action("win.back"));
    settle();
    EXPECT_EQ(outline(shown.sidebar()),
              (Lines{"+ projects", "  + old", "    Archive", "  Plan", "README *", "Zebra"}));

    writeNote("projects/New.md", "new\n");
    ASSERT_TRUE(waitUntil([&] { return shown.sidebar().rows().size() == 7; }));
    EXPECT_EQ(outline(shown.sidebar()), (Lines{"+ projects", "  + old", "    Archive", "  New",
                                               "  Plan", "README *", "Zebra"}));
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
        return waitUntil([&] { return outline(shown.sidebar()) == lines; });
    };
    ASSERT_TRUE(clickRow("projects"));
    EXPECT_TRUE(showsAfter({"+ projects *", "  - old", "  Plan", "README", "Zebra"}));
    ASSERT_TRUE(clickRow("projects"));
    EXPECT_TRUE(showsAfter({"- projects *", "README", "Zebra"}));
    ASSERT_TRUE(clickRow("Zebra"));
    EXPECT_TRUE(showsAfter({"- projects", "README", "Zebra *"}));
    EXPECT_EQ(shownNote(), "Zebra.md");
}

} // namespace
} // namespace app
