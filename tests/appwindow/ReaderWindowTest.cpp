#include "WindowHarness.hpp"
#include "tests/editor/EditorFixture.hpp"

namespace app {
namespace {

using nlohmann::json;

TEST_F(WindowTest, AWindowWithoutTargetIsEmptyAndNamedAfterTheApplication) {
    auto& shown = open({});
    EXPECT_EQ(title(), "Lumenleaf");
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::emptyPage);
    EXPECT_FALSE(shown.sidebar().get_visible());
    EXPECT_FALSE(shown.canGoBack());
    EXPECT_FALSE(shown.canGoForward());
}

TEST_F(WindowTest, TitleFollowsTheFolderAndTheNote) {
    writeNote("Plan.old.md", "# Plan\n");
    auto& shown = open(folderTarget());
    // No start note: the folder shows with an empty page.
    EXPECT_EQ(title(), folder.path().filename().string());
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::emptyPage);
    EXPECT_TRUE(shown.sidebar().get_visible());

    shown.model().open(note("Plan.old.md"));
    settle();
    EXPECT_EQ(title(), "Plan.old");
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::notePage);
    EXPECT_EQ(run("document.getElementById('plan').textContent"), "Plan");
}

TEST_F(WindowTest, ASingleNoteShowsWithoutSidebar) {
    writeNote("Daily.md", "today\n");
    auto& shown = open({std::nullopt, note("Daily.md")});
    EXPECT_EQ(title(), "Daily");
    EXPECT_FALSE(shown.sidebar().get_visible());
    EXPECT_EQ(run("document.getElementById('content').textContent.trim()"), "today");
}

TEST_F(WindowTest, ANoteThatCannotBeReadShowsWhyInsteadOfThePage) {
    writeNote("Good.md", "fine\n");
    std::filesystem::create_directory(folder / "Broken.md");
    auto& shown = open({std::nullopt, note("Good.md")});
    ASSERT_EQ(shown.noteView().shownPage(), NoteView::notePage);

    shown.model().open(note("Broken.md"));
    settle();
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::errorPage);
    EXPECT_TRUE(shown.noteView().errorText().starts_with("Couldn't open “Broken.md”. "))
        << shown.noteView().errorText();
    EXPECT_EQ(title(), "Broken");
    EXPECT_EQ(editor::findButton(GTK_WIDGET(shown.gobj()), "Open in Default Editor"), nullptr);

    // Back to a note that reads: its page replaces the message.
    ASSERT_TRUE(shown.activate_action("win.back"));
    settle();
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::notePage);
    EXPECT_EQ(title(), "Good");

    // A note too large to show is not read; the page offers the default editor instead.
    writeNote("Huge.md", "");
    std::filesystem::resize_file(folder / "Huge.md", reader::ReaderModel::largestShownNote + 1);
    shown.model().open(note("Huge.md"));
    settle();
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::errorPage);
    EXPECT_EQ(shown.noteView().errorText(),
              "“Huge.md” is larger than 16 MB, too large to show here.");
    editor::click(editor::findButton(GTK_WIDGET(shown.gobj()), "Open in Default Editor"));
    EXPECT_EQ(desktop.openedElsewhere, std::vector{note("Huge.md")});
}

TEST_F(WindowTest, NotesRenderBesideTheWindowWhichAnnouncesASlowRenderingOverTheLastPage) {
    writeNote("a.md", "# First\n");
    writeNote("b.md", "second\n");
    auto& shown = open(folderTarget("a.md"));
    renderer.hold();
    shown.model().open(note("b.md"));
    EXPECT_EQ(title(), "b");
    // The window goes on handling events: its page answers, and the rendering is announced.
    ASSERT_TRUE(waitUntil([&] { return shown.noteView().announcesRendering(); }));
    EXPECT_EQ(run("document.getElementById('first').textContent"), "First");

    renderer.release();
    settle();
    EXPECT_FALSE(shown.noteView().announcesRendering());
    EXPECT_EQ(run("document.getElementById('content').textContent.trim()"), "second");
}

TEST_F(WindowTest, BackAndForwardActionsStepThroughHistoryAndAreOnlyEnabledWithSomewhereToGo) {
    writeNote("a.md", "a\n");
    writeNote("b.md", "b\n");
    writeNote("c.md", "c\n");
    auto& shown = open(folderTarget("a.md"));
    shown.model().open(note("b.md"));
    shown.model().open(note("c.md"));
    settle();
    EXPECT_TRUE(shown.canGoBack());
    EXPECT_FALSE(shown.canGoForward());

    struct Step {
        const char* action;
        const char* shows;
        bool back;
        bool forward;
    };
    for (const auto& step :
         {Step{"win.back", "b.md", true, true}, Step{"win.back", "a.md", false, true},
          Step{"win.forward", "b.md", true, true}, Step{"win.forward", "c.md", true, false}}) {
        SCOPED_TRACE(std::string(step.action) + " to " + step.shows);
        ASSERT_TRUE(shown.activate_action(step.action));
        settle();
        EXPECT_EQ(shownNote(), step.shows);
        EXPECT_EQ(title(), std::filesystem::path(step.shows).stem().string());
        EXPECT_EQ(run("document.getElementById('content').textContent.trim()"),
                  std::filesystem::path(step.shows).stem().string());
        EXPECT_EQ(shown.canGoBack(), step.back);
        EXPECT_EQ(shown.canGoForward(), step.forward);
    }
}

TEST_F(WindowTest, ALinkClickedInThePageOpensItsNoteWithHistory) {
    writeNote("a.md", "# Start\nlink: sub/b.md\n");
    writeNote("sub/b.md", "# Arrived\n");
    auto& shown = open(folderTarget("a.md"));
    run("document.getElementById('link').click()");
    ASSERT_TRUE(waitUntil([&] { return shownNote() == "sub/b.md"; }));
    settle();
    EXPECT_EQ(title(), "b");
    EXPECT_EQ(run("document.getElementById('arrived').textContent"), "Arrived");
    EXPECT_TRUE(shown.canGoBack());
    // The note's folder opened in the sidebar, with the note selected.
    const auto rows = shown.sidebar().rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].isFolder && rows[0].isExpanded);
    EXPECT_EQ(rows[1].name, "b");
    EXPECT_TRUE(rows[1].isSelected);

    ASSERT_TRUE(shown.activate_action("win.back"));
    settle();
    EXPECT_EQ(shownNote(), "a.md");
    EXPECT_EQ(run("document.getElementById('start').textContent"), "Start");
}

TEST_F(WindowTest, ALinkToAMissingNoteBeepsAndThePageStays) {
    writeNote("a.md", "link: Missing\n");
    auto& shown = open(folderTarget("a.md"));
    run("document.getElementById('link').click()");
    ASSERT_TRUE(waitUntil([&] { return desktop.beeps == 1; }));
    EXPECT_EQ(shownNote(), "a.md");
    EXPECT_FALSE(shown.canGoBack());
}

TEST_F(WindowTest, DisplaySettingsSetThePageAndTheRendering) {
    writeSettings("typeface=sans\ntextScale=1.5\nlineWidth=wide\nfrontmatter=hidden\n"
                  "softBreaks=true\n");
    writeNote("a.md", "a\n");
    open({std::nullopt, note("a.md")});
    EXPECT_EQ(run("[document.body.className, "
                  "document.documentElement.style.getPropertyValue('--scale'), "
                  "document.documentElement.style.getPropertyValue('--measure')]"),
              json({"font-sans", "1.5", "44.0rem"}));
    ASSERT_FALSE(renderer.options().empty());
    EXPECT_EQ(renderer.options().back(),
              (notes::RenderOptions{notes::FrontmatterMode::hidden, true}));
}

TEST_F(WindowTest, ScrollOffsetsThePageReportsComeBackWithTheNote) {
    writeNote("a.md", "tall\nlink: b.md\n");
    writeNote("b.md", "b\n");
    auto& shown = open(folderTarget("a.md"));
    run("window.scrollTo(0, 1200)");
    ASSERT_TRUE(waitUntil([&] {
        auto stored = shown.model().scrollPositions.find(note("a.md"));
        return stored != shown.model().scrollPositions.end() && stored->second == 1200;
    }));
    shown.model().open(note("b.md"));
    settle();
    ASSERT_TRUE(shown.activate_action("win.back"));
    settle();
    EXPECT_TRUE(waitUntil([&] { return run("window.scrollY") == 1200; }));
}

} // namespace
} // namespace app
