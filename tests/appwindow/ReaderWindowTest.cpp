#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

#include <gtkmm/settings.h>

#include <cctype>
#include <set>

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

TEST_F(WindowTest, TitleSidebarPageAndMenuFollowTheTargetAndTheExamplesOpenAtTheirReadme) {
    // The window's title, which of the note view's pages it shows, whether the sidebar shows,
    // and the note's heading on a page.
    const auto shows = [&] {
        const auto page = window->noteView().shownPage();
        return title() + " " + page + (window->sidebar().get_visible() ? " sidebar" : "") +
               (page == NoteView::notePage ? ": " + heading() : "");
    };
    auto& shown = open({});
    EXPECT_EQ(shows(), "Lumenleaf empty");
    EXPECT_FALSE(shown.canGoBack() || shown.canGoForward());

    writeNote("Plan B.old.md", "# Plan\n");
    open(folderTarget());
    // No start note: the folder shows with an empty page.
    EXPECT_EQ(shows(), folder.path().filename().string() + " empty sidebar");
    window->model().open(note("Plan B.old.md"));
    settle();
    EXPECT_EQ(shows(), "Plan B.old page sidebar: Plan");
    // The window's menu hands the note to other applications.
    for (const char* action : {"win.reveal", "win.open-in-default-editor", "win.open-in-obsidian"})
        ASSERT_TRUE(window->activate_action(action)) << action;
    EXPECT_EQ(desktop.revealed, std::vector{note("Plan B.old.md")});
    EXPECT_EQ(desktop.openedElsewhere, std::vector{note("Plan B.old.md")});
    EXPECT_EQ(desktop.openedURLs,
              std::vector<std::string>{"obsidian://open?path=" + folder.path().string() +
                                       "/Plan%20B.old.md"});

    writeNote("Daily.md", "# today\n");
    open({std::nullopt, note("Daily.md")});
    EXPECT_EQ(shows(), "Daily page: today");

    // A note that cannot be read shows why instead of the page, until a note that reads.
    std::filesystem::create_directory(folder / "Broken.md");
    window->model().open(note("Broken.md"));
    settle();
    EXPECT_EQ(shows(), "Broken error");
    EXPECT_EQ(window->noteView().errorText(), *window->model().errorMessage);
    EXPECT_EQ(editor::findButton(GTK_WIDGET(window->gobj()), "Open in Default Editor"), nullptr);
    ASSERT_TRUE(window->activate_action("win.back"));
    settle();
    EXPECT_EQ(shows(), "Daily page: today");

    // A note too large to show is not read; the page offers the default editor instead.
    writeNote("Huge.md", "");
    std::filesystem::resize_file(folder / "Huge.md", reader::ReaderModel::largestShownNote + 1);
    window->model().open(note("Huge.md"));
    settle();
    EXPECT_EQ(shows(), "Huge error");
    editor::click(GTK_WIDGET(window->gobj()), "Open in Default Editor");
    EXPECT_EQ(desktop.openedElsewhere, (std::vector{note("Plan B.old.md"), note("Huge.md")}));

    // The notes that ship in examples/ open at their README, with every note in the sidebar.
    open({URL::fileURL(std::string(LUMENLEAF_EXAMPLES_DIR)), std::nullopt});
    EXPECT_EQ(shows(), "README page sidebar: Welcome");
    EXPECT_EQ(sidebarRows(), "-projects Callouts Code and diagrams Formatting README*");
    // The embedded picture beside the notes loads through the page's own scheme.
    EXPECT_TRUE(waitUntil([&] {
        return run("[...document.images].some(i => i.complete && i.naturalWidth > 0)") == true;
    }));
    run("document.querySelector('a.wikilink[href$=\"Formatting.md\"]').click()");
    ASSERT_TRUE(waitUntil([&] { return title() == "Formatting"; }));
    settle();
    EXPECT_EQ(heading(), "Formatting");
}

// Mended: a short note opened at its top marked its last heading, and a long one none.
TEST_F(WindowTest, ANoteOpenedAtItsTopMarksItsFirstHeading) {
    writeNote("short.md", "# One\n\n## Two\n\n## Three\n");
    writeNote("long.md", "# First\n" + tallText + "## Second\n" + tallText);
    writeSettings("showOutline=true\n");
    auto& shown = open(folderTarget("short.md"));
    const auto marked = [&] { return shown.model().currentHeadingID.get().value_or("(none)"); };
    // The page reports its heading once it has laid itself out.
    EXPECT_TRUE(waitUntil([&] { return marked() != "(none)"; }));
    runFor(std::chrono::milliseconds(100));
    EXPECT_EQ(std::pair(marked(), shown.outline().selectedID()),
              std::pair(std::string("one"), std::optional<std::string>("one")));
    shown.model().open(note("long.md"));
    settle();
    EXPECT_TRUE(waitUntil([&] { return marked() != "(none)"; }));
    runFor(std::chrono::milliseconds(100));
    EXPECT_EQ(marked(), "first");
}

TEST_F(WindowTest, TheOutlineFollowsThePageAndALinkOpensItsNoteWithHistoryAndScroll) {
    writeNote("a.md", "# Start\n\n[next](sub/b.md)\n" + tallText + "# Middle\n" + tallText +
                          "# Bottom\n" + tallText);
    writeNote("sub/b.md", "# Arrived\n");
    writeNote("c.md", "# Last\n");
    writeSettings("showOutline=true\n");
    auto& shown = open(folderTarget("a.md"));
    EXPECT_TRUE(shown.outline().get_visible());
    EXPECT_EQ(shown.outline().rowTexts(), (std::vector<std::string>{"Start", "Middle", "Bottom"}));
    // Picked, a heading scrolls to the top; scrolled on, the page reports the one now there.
    shown.outline().pick(1);
    ASSERT_TRUE(waitUntil([&] {
        return run("Math.abs(document.getElementById('middle').getBoundingClientRect().top) < "
                   "80") == true;
    }));
    run("window.dispatchEvent(new WheelEvent('wheel')); "
        "window.scrollTo(0, document.getElementById('bottom').offsetTop)");
    ASSERT_TRUE(waitUntil([&] { return shown.outline().selectedID() == "bottom"; }));

    // The scroll offset the page reports comes back with the note.
    run("window.scrollTo(0, 1200)");
    const auto& stored = shown.model().scrollPositions;
    ASSERT_TRUE(waitUntil(
        [&] { return stored.contains(note("a.md")) && stored.at(note("a.md")) == 1200; }));
    std::unique_lock held(renderGate);
    run("document.querySelector('a[href$=\"b.md\"]').click()");
    ASSERT_TRUE(waitUntil([&] { return shown.model().file.get() == note("sub/b.md"); }));
    // The window goes on handling events: its page answers, and a slow rendering is announced
    // over the last page.
    ASSERT_TRUE(waitUntil([&] { return shown.noteView().announcesRendering(); }));
    EXPECT_EQ(heading(), "Start");
    held.unlock();
    settle();
    EXPECT_FALSE(shown.noteView().announcesRendering());
    EXPECT_EQ(heading(), "Arrived");
    // The note's folder opened in the sidebar, with the note selected.
    EXPECT_EQ(sidebarRows(), "+sub(b*) a c");
    EXPECT_EQ(shown.outline().rowTexts(), (std::vector<std::string>{"Arrived"}));

    // The heading shown, then "<" while back goes somewhere and ">" while forward does.
    const auto place = [&] {
        return heading() + (shown.canGoBack() ? " <" : "") + (shown.canGoForward() ? " >" : "");
    };
    shown.model().open(note("c.md"));
    settle();
    EXPECT_EQ(place(), "Last <");

    // The keys work even when the page has the focus.
    gtk_widget_grab_focus(shown.noteView().webView().widget());
    const std::pair<std::string, const char*> steps[] = {{"win.back", "Arrived < >"},
                                                         {"alt+Left", "Start >"},
                                                         {"alt+Right", "Arrived < >"},
                                                         {"win.forward", "Last <"}};
    for (const auto& [what, shows] : steps) {
        const auto before = title();
        ASSERT_TRUE(what.starts_with("win.") ? shown.activate_action(what) : press(what)) << what;
        ASSERT_TRUE(waitUntil([&] { return title() != before; })) << what;
        settle();
        EXPECT_EQ(place(), shows) << what;
        if (place() == "Start >") {
            EXPECT_TRUE(waitUntil([&] { return run("window.scrollY") == 1200; }));
        }
    }
    ASSERT_TRUE(shown.activate_action("win.toggle-outline"));
    EXPECT_FALSE(shown.outline().get_visible());
    EXPECT_EQ(notes::Settings(settingsFolder / "settings.ini").boolean("showOutline"), false);
}

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
    // The title comes with the page, which a click can still be loading.
    settle();
    EXPECT_EQ(title(), "README");
}

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

// Mended: a note that left a comment or a raw-text element open swallowed the page's scripts,
// and its page neither answered the window nor followed the note's changes.
TEST_F(WindowTest, NoUnclosedTagInANoteSwitchesItsPageOff) {
    const std::string tags[] = {"<!--",       "<style>", "<textarea>", "<title>",
                                "<noscript>", "<xmp>",   "<plaintext>"};
    const auto text = [](const std::string& heading, const std::string& tag) {
        return "# " + heading + "\n\nbefore\n\n" + tag + "\n\nafter\n";
    };
    for (std::size_t i = 0; i < std::size(tags); ++i)
        writeNote(std::to_string(i) + ".md", text("Opened", tags[i]));
    open(folderTarget());
    for (std::size_t i = 0; i < std::size(tags); ++i) {
        SCOPED_TRACE(tags[i]);
        const std::string name = std::to_string(i) + ".md";
        window->model().open(note(name));
        settle();
        EXPECT_EQ(run("[typeof mdr, document.querySelector('#content h1').textContent]"),
                  nlohmann::json({"object", "Opened"}));
        writeNote(name, text("Changed", tags[i]));
        EXPECT_TRUE(waitUntil([&] { return heading() == "Changed"; })) << heading();
    }
}

} // namespace
} // namespace app
