#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

#include <gtkmm/settings.h>

#include <cctype>
#include <set>

namespace app {
namespace {

TEST_F(WindowTest, PickingOrClickingAFolderTogglesItPickingANoteOpensItAndRevealsItsRow) {
    for (const char* name :
         {"README.md", "Zebra.md", "projects/Plan.md", "projects/old/Archive.md"})
        writeNote(name, "text\n");
    auto& shown = open(folderTarget());
    EXPECT_EQ(sidebarRows(), "-projects README* Zebra");
    // Steps in turn: a row picked or clicked, a note opened or written, or back; and the rows
    // after.
    const std::pair<std::string, std::string> steps[] = {
        {"0", "+projects*(-old Plan) README Zebra"},
        {"1", "+projects(+old*(Archive) Plan) README Zebra"},
        {"0", "-projects* README Zebra"},
        // The inner folder is still open when its parent opens again.
        {"0", "+projects*(+old(Archive) Plan) README Zebra"},
        {"Zebra.md", "+projects(+old(Archive) Plan) README Zebra*"},
        {"3", "+projects(+old(Archive) Plan*) README Zebra"},
        {"back", "+projects(+old(Archive) Plan) README Zebra*"},
        {"0", "-projects* README Zebra"},
        {"projects/old/Archive.md", "+projects(+old(Archive*) Plan) README Zebra"},
        {"back", "+projects(+old(Archive) Plan) README Zebra*"},
        // A rescan keeps the open folders.
        {"new projects/New.md", "+projects(+old(Archive) New Plan) README Zebra*"},
        // Clicked, a folder toggles even when it is selected.
        {"click projects", "-projects* README Zebra"},
        {"click projects", "+projects*(+old(Archive) New Plan) README Zebra"},
        {"click README", "+projects(+old(Archive) New Plan) README* Zebra"},
    };
    for (const auto& [step, rows] : steps) {
        if (std::isdigit(step[0])) {
            shown.sidebar().pick(std::stoi(step));
        } else if (step == "back") {
            ASSERT_TRUE(shown.activate_action("win.back"));
        } else if (step.starts_with("new ")) {
            writeNote(step.substr(4), "new\n");
        } else if (step.starts_with("click ")) {
            GtkWidget* label =
                editor::findWidget(GTK_WIDGET(shown.sidebar().gobj()), [&](GtkWidget* w) {
                    return GTK_IS_LABEL(w) && gtk_label_get_text(GTK_LABEL(w)) == step.substr(6);
                });
            // Apart from the last, so that it is not taken for a double click.
            runFor(std::chrono::milliseconds(
                Gtk::Settings::get_default()->property_gtk_double_click_time() + 100));
            ASSERT_TRUE(label && click(label)) << step;
        } else {
            shown.model().open(note(step));
        }
        settle();
        EXPECT_TRUE(waitUntil([&] { return sidebarRows() == rows; }))
            << step << ": " << sidebarRows();
        if (rows.starts_with("-projects*")) {
            EXPECT_EQ(*shown.model().expandedFolders,
                      std::set{std::filesystem::canonical(folder / "projects/old").string()});
        }
    }
    EXPECT_EQ(title(), "README");
}

} // namespace
} // namespace app
