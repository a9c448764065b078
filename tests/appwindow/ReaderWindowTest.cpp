#include "WindowHarness.hpp"
#include "tests/editor/EditorFixture.hpp"

namespace app {
namespace {

TEST_F(WindowTest, TitleSidebarAndPageFollowTheTarget) {
    auto& shown = open({});
    EXPECT_EQ(title(), "Lumenleaf");
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::emptyPage);
    EXPECT_FALSE(shown.sidebar().get_visible());
    EXPECT_FALSE(shown.canGoBack() || shown.canGoForward());

    writeNote("Plan.old.md", "# Plan\n");
    open(folderTarget());
    // No start note: the folder shows with an empty page.
    EXPECT_EQ(title(), folder.path().filename().string());
    EXPECT_EQ(window->noteView().shownPage(), NoteView::emptyPage);
    EXPECT_TRUE(window->sidebar().get_visible());
    window->model().open(note("Plan.old.md"));
    settle();
    EXPECT_EQ(title(), "Plan.old");
    EXPECT_EQ(window->noteView().shownPage(), NoteView::notePage);
    EXPECT_EQ(run("document.getElementById('plan').textContent"), "Plan");

    writeNote("Daily.md", "today\n");
    open({std::nullopt, note("Daily.md")});
    EXPECT_EQ(title(), "Daily");
    EXPECT_FALSE(window->sidebar().get_visible());
    EXPECT_EQ(pageText(), "today");

    // A note that cannot be read shows why instead of the page, until a note that reads.
    std::filesystem::create_directory(folder / "Broken.md");
    window->model().open(note("Broken.md"));
    settle();
    EXPECT_EQ(window->noteView().shownPage(), NoteView::errorPage);
    EXPECT_EQ(window->noteView().errorText(), *window->model().errorMessage);
    EXPECT_EQ(title(), "Broken");
    EXPECT_EQ(editor::findButton(GTK_WIDGET(window->gobj()), "Open in Default Editor"), nullptr);
    ASSERT_TRUE(window->activate_action("win.back"));
    settle();
    EXPECT_EQ(window->noteView().shownPage(), NoteView::notePage);
    EXPECT_EQ(title(), "Daily");

    // A note too large to show is not read; the page offers the default editor instead.
    writeNote("Huge.md", "");
    std::filesystem::resize_file(folder / "Huge.md", reader::ReaderModel::largestShownNote + 1);
    window->model().open(note("Huge.md"));
    settle();
    EXPECT_EQ(window->noteView().shownPage(), NoteView::errorPage);
    editor::click(GTK_WIDGET(window->gobj()), "Open in Default Editor");
    EXPECT_EQ(desktop.openedElsewhere, std::vector{note("Huge.md")});
}

TEST_F(WindowTest, NotesRenderBesideTheWindowAndBackAndForwardStepThroughHistory) {
    for (const char* name : {"a", "b", "c"})
        writeNote(name + std::string(".md"), name + std::string("\n"));
    auto& shown = open(folderTarget("a.md"));
    renderer.hold();
    shown.model().open(note("b.md"));
    EXPECT_EQ(title(), "b");
    // The window goes on handling events: its page answers, and a slow rendering is announced
    // over the last page.
    ASSERT_TRUE(waitUntil([&] { return shown.noteView().announcesRendering(); }));
    EXPECT_EQ(pageText(), "a");
    renderer.release();
    settle();
    EXPECT_FALSE(shown.noteView().announcesRendering());
    EXPECT_EQ(pageText(), "b");

    shown.model().open(note("c.md"));
    settle();
    EXPECT_TRUE(shown.canGoBack());
    EXPECT_FALSE(shown.canGoForward());

    // The keys work even when the page has the focus.
    gtk_widget_grab_focus(shown.noteView().webView().widget());
    struct Step {
        const char* actionOrKeys;
        const char* shows;
        bool back;
        bool forward;
    };
    for (const auto& step :
         {Step{"win.back", "b", true, true}, Step{"alt+Left", "a", false, true},
          Step{"alt+Right", "b", true, true}, Step{"win.forward", "c", true, false}}) {
        SCOPED_TRACE(step.actionOrKeys);
        const std::string what = step.actionOrKeys;
        ASSERT_TRUE(what.starts_with("win.") ? shown.activate_action(what) : press(what));
        ASSERT_TRUE(waitUntil([&] { return shownNote() == step.shows + std::string(".md"); }));
        settle();
        EXPECT_EQ(pageText(), step.shows);
        EXPECT_EQ(shown.canGoBack(), step.back);
        EXPECT_EQ(shown.canGoForward(), step.forward);
    }
}

TEST_F(WindowTest, ALinkClickedInThePageOpensItsNoteWithHistoryAndScroll) {
    writeNote("a.md", "# Start\n\n[next](sub/b.md)\n\n" + tallText);
    writeNote("sub/b.md", "# Arrived\n");
    auto& shown = open(folderTarget("a.md"));
    // The scroll offset the page reports comes back with the note.
    run("window.scrollTo(0, 1200)");
    ASSERT_TRUE(waitUntil([&] {
        auto stored = shown.model().scrollPositions.find(note("a.md"));
        return stored != shown.model().scrollPositions.end() && stored->second == 1200;
    }));
    run("document.querySelector('a[href$=\"b.md\"]').click()");
    ASSERT_TRUE(waitUntil([&] { return shownNote() == "sub/b.md"; }));
    settle();
    EXPECT_EQ(title(), "b");
    EXPECT_EQ(run("document.getElementById('arrived').textContent"), "Arrived");
    // The note's folder opened in the sidebar, with the note selected.
    const auto rows = shown.sidebar().rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].isFolder && rows[0].isExpanded);
    EXPECT_TRUE(rows[1].name == "b" && rows[1].isSelected);

    ASSERT_TRUE(shown.activate_action("win.back"));
    settle();
    EXPECT_EQ(shownNote(), "a.md");
    EXPECT_EQ(run("document.getElementById('start').textContent"), "Start");
    EXPECT_TRUE(waitUntil([&] { return run("window.scrollY") == 1200; }));
}

} // namespace
} // namespace app
