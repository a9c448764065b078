#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

namespace app {
namespace {

/// A note of `count` second-level headings "H1" to "Hcount", each with a line of text.
std::string manyHeadings(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "## H" + std::to_string(i) + "\n\ntext\n\n";
    return text;
}

/// The labels the widget holds: the outline's rows.
int labelsUnder(Gtk::Widget& root) {
    int count = 0;
    editor::findWidget(GTK_WIDGET(root.gobj()), [&](GtkWidget* widget) {
        count += GTK_IS_LABEL(widget) ? 1 : 0;
        return false;
    });
    return count;
}

TEST_F(WindowTest, AnOutlineOfTenThousandHeadingsMakesRowsOnlyForWhatIsOnScreen) {
    constexpr int count = 10'000;
    writeNote("long.md", manyHeadings(count));
    writeNote("short.md", "# Alone\n");
    writeSettings("showOutline=false\n");
    auto& shown = open(folderTarget("long.md"));
    auto& outline = shown.outline();

    // Hidden, the outline keeps its list of headings and makes no row for them.
    ASSERT_FALSE(outline.get_visible());
    EXPECT_EQ(outline.rowTexts().size(), std::size_t{count});
    EXPECT_EQ(outline.rowTexts().back(), "H10000");
    EXPECT_EQ(outline.rowsMade(), 0);
    EXPECT_EQ(labelsUnder(outline), 0);

    // Shown, it makes rows for the headings on screen and a band of about 200 around them
    // that the toolkit keeps, whatever the length of the note.
    ASSERT_TRUE(shown.activate_action("win.toggle-outline"));
    ASSERT_TRUE(waitUntil([&] { return labelsUnder(outline) > 0; }));
    runFor(std::chrono::milliseconds(200));
    constexpr int band = 250;
    EXPECT_LE(outline.rowsMade(), band);
    EXPECT_LE(labelsUnder(outline), band);
    // A row clicked scrolls the page to its heading.
    auto* third = editor::findWidget(GTK_WIDGET(outline.gobj()), [](GtkWidget* widget) {
        return GTK_IS_LABEL(widget) && gtk_label_get_text(GTK_LABEL(widget)) == std::string("H3");
    });
    ASSERT_TRUE(third && click(third));
    EXPECT_TRUE(waitUntil([&] {
        return run("Math.abs(document.getElementById('h3').getBoundingClientRect().top) < 80") ==
               true;
    }));

    // Far down the page, the heading at the top is the one marked.
    run("window.dispatchEvent(new WheelEvent('wheel')); "
        "window.scrollTo(0, document.getElementById('h5000').offsetTop)");
    ASSERT_TRUE(waitUntil([&] { return outline.selectedID() == "h5000"; }));

    // Another note replaces the list; hidden again, the outline makes no more rows.
    ASSERT_TRUE(shown.activate_action("win.toggle-outline"));
    const int made = outline.rowsMade();
    shown.model().open(note("short.md"));
    settle();
    EXPECT_EQ(outline.rowTexts(), std::vector<std::string>{"Alone"});
    shown.model().open(note("long.md"));
    settle();
    EXPECT_EQ(outline.rowTexts().size(), std::size_t{count});
    runFor(std::chrono::milliseconds(100));
    EXPECT_EQ(outline.rowsMade(), made);
}

TEST_F(WindowTest, OutlineTitleAndPageSwitchTogetherWithTheSpinnerUntilThePageHasLoaded) {
    writeNote("a.md", "# Start\n\n## Second\n");
    writeNote("b.md", "# Arrived\n");
    writeSettings("showOutline=true\n");
    auto& shown = open(folderTarget("a.md"));
    const std::vector<std::string> before{"Start", "Second"};
    ASSERT_EQ(shown.outline().rowTexts(), before);

    // What the window shows, in the order the model and the web view move on.
    struct Moment {
        std::string what;
        std::vector<std::string> outline;
        std::string title;
        bool announced = false;
    };
    std::vector<Moment> moments;
    const auto note = [&](const std::string& what) {
        moments.push_back(
            {what, shown.outline().rowTexts(), title(), shown.noteView().announcesRendering()});
    };
    // Connected after the window's views, so it sees what they made of each change.
    auto rendered = shown.model().page.connect([&] { note("rendered"); });
    auto loaded = shown.noteView().shownModel.connect([&] { note("loaded"); });

    // The rendering is held past the delay of the notice; the web view then loads the page.
    std::unique_lock held(renderGate);
    shown.model().open(this->note("b.md"));
    ASSERT_TRUE(waitUntil([&] { return shown.noteView().announcesRendering(); }));
    note("rendering");
    EXPECT_EQ(heading(), "Start");
    held.unlock();
    settle();
    rendered.disconnect();
    loaded.disconnect();

    const std::vector<std::string> after{"Arrived"};
    ASSERT_EQ(moments.size(), 3u);
    EXPECT_EQ(moments[0].what, "rendering");
    EXPECT_EQ(moments[0].outline, before);
    EXPECT_EQ(moments[0].title, "a");
    // Rendered but not loaded: the old page is on screen, and with it its outline and title,
    // and the notice stays.
    EXPECT_EQ(moments[1].what, "rendered");
    EXPECT_EQ(moments[1].outline, before);
    EXPECT_EQ(moments[1].title, "a");
    EXPECT_TRUE(moments[1].announced);
    EXPECT_EQ(moments[2].what, "loaded");
    EXPECT_EQ(moments[2].outline, after);
    EXPECT_EQ(moments[2].title, "b");
    EXPECT_EQ(heading(), "Arrived");
    EXPECT_FALSE(shown.noteView().announcesRendering());

    // A note that cannot be read takes its name and an empty outline with its error page.
    std::filesystem::create_directory(folder / "Broken.md");
    shown.model().open(this->note("Broken.md"));
    settle();
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::errorPage);
    EXPECT_EQ(title(), "Broken");
    EXPECT_TRUE(shown.outline().rowTexts().empty());
}

} // namespace
} // namespace app
