#include "WindowHarness.hpp"
#include "tests/editor/EditorFixture.hpp"

namespace app {
namespace {

TEST_F(WindowTest, TitleSidebarPageAndMenuFollowTheTargetAndTheExamplesOpenAtTheirReadme) {
    // The window's title, which of the note view's pages it shows, whether the sidebar shows,
    // and the note's heading on a page.
    const auto shows = [&] {
        const auto page = window->noteView().shownPage();
        return title() + " " + page + (window->sidebar().get_visible() ? " sidebar" : "") +
               (page == NoteView::notePage ? ": " + heading() : "");
    };
    // Asked once per process: in a process of its own the first window is the first to ask.
    desktop.obsidianInstalled = true;
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
    open({markdown::URL::fileURL(std::string(LUMENLEAF_EXAMPLES_DIR)), std::nullopt});
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
    ASSERT_TRUE(waitUntil([&] { return title() == "b"; }));
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

} // namespace
} // namespace app
