#include "WindowHarness.hpp"

#include "tests/editor/EditorFixture.hpp"

#include <tuple>
#include <utility>

namespace app {
namespace {

/// Reader windows that switch to the editor and back.
class EditingWindowTest : public WindowTest {
protected:
    NoteDetail& detail() { return window->noteDetail(); }
    static GtkWidget* editorText(ReaderWindow& shown) {
        return editor::findOfType(shown.noteDetail().editor()->widget(), GTK_SOURCE_TYPE_VIEW);
    }
    bool hasFocusIn(GtkWidget* widget) {
        GtkWidget* focus = gtk_root_get_focus(GTK_ROOT(window->gobj()));
        return focus && (focus == widget || gtk_widget_is_ancestor(focus, widget));
    }

    /// Switches to the editor through its command, its session saving only when asked, and
    /// types "mine " at its cursor as the keyboard does.
    static void startEditing(ReaderWindow& shown) {
        ASSERT_TRUE(shown.activate_action("win.toggle-editing"));
        ASSERT_TRUE(waitUntil([&] { return shown.noteDetail().editor() != nullptr; }));
        shown.model().editSession.get()->setAutosaveDelay(std::chrono::hours(1));
        g_signal_emit_by_name(editorText(shown), "insert-at-cursor", "mine ");
    }
    bool isClosed() { return !window->gobj() || !window->get_visible(); }
    Gtk::MessageDialog* question() { return window->closeConfirmation().question(); }
    static void answer(ReaderWindow& shown, const char* title) {
        ASSERT_NE(shown.closeConfirmation().question(), nullptr);
        editor::click(GTK_WIDGET(shown.closeConfirmation().question()->gobj()), title);
        runFor(std::chrono::milliseconds(50));
    }

    std::string disk() const { return notes::ScratchFolder::read(folder / "a.md"); }
    /// The mode, the child the note's detail shows, and whether the editor and the model's
    /// text view are there: "edit editing editor view".
    std::string shows() {
        const bool editing = *window->model().mode == reader::ReaderModel::Mode::edit;
        return std::string(editing ? "edit " : "read ") + detail().shownChild() +
               (detail().editor() ? " editor" : "") +
               (window->model().editor.textView() ? " view" : "");
    }
};

TEST_F(EditingWindowTest, CtrlEEditsTheNoteInPlaceUnlessItIsNotUTF8AndCtrlEAgainShowsTheText) {
    writeNote("latin.md", "caf\xe9\n");
    writeNote("a.md", "first\n2\n3\n");
    writeNote("b.md", "one\ntwo\nthree\n");
    auto& shown = open(folderTarget("latin.md"));
    // A note that is not UTF-8 stays on the page, with a banner saying why.
    auto& banner = detail().noticeBanner();
    EXPECT_FALSE(banner.get_visible());
    ASSERT_TRUE(shown.activate_action("win.toggle-editing"));
    ASSERT_TRUE(waitUntil([&] { return banner.get_visible(); }));
    EXPECT_EQ(std::optional(banner.text()), *shown.model().notice);
    runFor(std::chrono::milliseconds(50));
    EXPECT_EQ(shows(), "read reading");
    banner.dismiss();
    EXPECT_FALSE(banner.get_visible());
    EXPECT_EQ(*shown.model().notice, std::nullopt);

    shown.model().open(note("a.md"));
    settle();
    gtk_widget_grab_focus(shown.noteView().webView().widget());

    ASSERT_TRUE(press("ctrl+e"));
    ASSERT_TRUE(waitUntil([&] { return detail().editor() && hasFocusIn(editorText(*window)); }));

    ASSERT_TRUE(press("t y p e d space"));
    // The session's own delay, on the main loop: the text reaches the disk without a switch.
    EXPECT_TRUE(waitUntil([&] { return disk() == "typed first\n2\n3\n"; }));

    ASSERT_TRUE(press("ctrl+e"));
    ASSERT_TRUE(waitUntil([&] { return shows() == "read reading"; })) << shows();
    settle();
    EXPECT_EQ(run("document.querySelector('[data-line=\"1\"]').textContent"), "typed first\n2\n3");

    // Another note opened while editing opens in the editor, at its first line.
    shown.model().enterEditing(3);
    ASSERT_TRUE(waitUntil([&] { return detail().editor() != nullptr; }));
    EXPECT_EQ(editor::cursorLine(editorText(*window)), 3);
    shown.model().open(note("b.md"));
    ASSERT_TRUE(waitUntil(
        [&] { return detail().editor() && detail().editor()->session()->url() == note("b.md"); }));
    EXPECT_EQ(shows(), "edit editing editor view");
    EXPECT_EQ(editor::cursorLine(editorText(*window)), 1);
}

// Mended: the banner saying why one note could not be edited stayed over the next note, and
// over its editor.
TEST_F(EditingWindowTest, TheBannerAboutANoteGoesWithItAndTheFoldersStays) {
    writeNote("a.md", "caf\xe9\n");
    writeNote("b.md", "plain\n");
    auto& shown = open(folderTarget("a.md"));
    auto& banner = detail().noticeBanner();
    const auto shownBanner = [&] { return banner.get_visible() ? banner.text() : "(hidden)"; };
    ASSERT_TRUE(press("ctrl+e"));
    ASSERT_TRUE(waitUntil([&] { return banner.get_visible(); }));
    const std::string aboutNote = banner.text();
    EXPECT_EQ(shows(), "read reading");

    // Picked in the sidebar, the next note shows without it.
    shown.sidebar().pick(1);
    settle();
    EXPECT_EQ(std::pair(title(), shownBanner()),
              std::pair(std::string("b"), std::string("(hidden)")));
    ASSERT_TRUE(press("ctrl+e"));
    ASSERT_TRUE(waitUntil([&] { return detail().editor() != nullptr; }));
    EXPECT_EQ(shownBanner(), "(hidden)");
    ASSERT_TRUE(press("ctrl+e"));
    ASSERT_TRUE(waitUntil([&] { return shows() == "read reading"; }));

    // The folder's notice stays from note to note, and the note's joins it for a while.
    const notes::FolderChange limit{folder.path().native(),
                                    notes::FolderChange::mustScanSubdirectories |
                                        notes::FolderChange::watchLimitReached};
    shown.model().handleFolderChanges(std::span(&limit, 1));
    const std::string aboutFolder(reader::ReaderModel::watchLimitNotice);
    shown.sidebar().pick(0);
    settle();
    ASSERT_TRUE(press("ctrl+e"));
    ASSERT_TRUE(waitUntil([&] { return banner.text() != aboutFolder; }));
    EXPECT_EQ(shownBanner(), aboutFolder + "\n" + aboutNote);
    shown.sidebar().pick(1);
    settle();
    EXPECT_EQ(shownBanner(), aboutFolder);
}

TEST_F(EditingWindowTest, TheFindBarSearchesThePageAndWhileEditingTheEditorsFindTakesTheKeys) {
    writeNote("a.md", "apple pie\nno fruit\napple tart and apple\n");
    open(folderTarget("a.md"));
    auto& bar = detail().findBar();
    auto& model = window->model();
    // Whether the page's find bar shows, whether the model says so, and whether a find bar
    // pushes the widget down from the top of the window's middle (a hidden one takes no space).
    using Finding = std::tuple<bool, bool, bool>;
    const auto finding = [&](GtkWidget* below) {
        runFor(std::chrono::milliseconds(100));
        graphene_point_t origin{0, 0}, at{0, 0};
        EXPECT_TRUE(gtk_widget_compute_point(below, GTK_WIDGET(detail().gobj()), &origin, &at));
        return Finding(bar.get_search_mode(), *model.isFindVisible, at.y > 0);
    };
    GtkWidget* page = window->noteView().webView().widget();
    EXPECT_EQ(finding(page), Finding(false, false, false));
    gtk_widget_grab_focus(page);

    ASSERT_TRUE(press("ctrl+f"));
    ASSERT_TRUE(waitUntil([&] { return hasFocusIn(GTK_WIDGET(bar.field().gobj())); }));
    EXPECT_EQ(finding(page), Finding(true, true, true));
    EXPECT_EQ(bar.countText(), "");

    // Typed, then stepped through and around.
    const std::pair<const char*, const char*> steps[] = {{"a p p l e", "1 of 3"},
                                                         {"ctrl+g", "2 of 3"},
                                                         {"ctrl+g", "3 of 3"},
                                                         {"Return", "1 of 3"},
                                                         {"shift+ctrl+g", "3 of 3"}};
    for (const auto& [keys, count] : steps) {
        ASSERT_TRUE(press(keys));
        EXPECT_TRUE(waitUntil([&] { return bar.countText() == count; }))
            << keys << ": " << bar.countText();
    }
    // Mended: the page searched the note's new text, and the bar kept the old count.
    writeNote("a.md", "apple pie\nno fruit\napple tart and apple\napple again\n");
    EXPECT_TRUE(waitUntil([&] { return bar.countText() == "3 of 4"; })) << bar.countText();

    ASSERT_TRUE(press("Escape"));
    ASSERT_TRUE(waitUntil([&] { return !bar.get_search_mode(); }));
    EXPECT_TRUE(hasFocusIn(page));
    EXPECT_EQ(finding(page), Finding(false, false, false));
    EXPECT_TRUE(
        waitUntil([&] { return run("document.querySelectorAll('mdr-find').length") == 0; }));

    // Shown again, by Ctrl+F or by Ctrl+G, the bar offers the query it keeps without searching
    // the page; the next step searches.
    for (const char* keys : {"ctrl+f", "ctrl+g"}) {
        ASSERT_TRUE(press(keys));
        ASSERT_TRUE(waitUntil([&] { return hasFocusIn(GTK_WIDGET(bar.field().gobj())); }));
        runFor(std::chrono::milliseconds(300));
        EXPECT_EQ(std::tuple(bar.field().get_text().raw(), bar.countText(),
                             run("document.querySelectorAll('mdr-find').length")),
                  std::tuple(std::string("apple"), std::string(), nlohmann::json(0)))
            << keys;
        ASSERT_TRUE(press("Escape"));
        ASSERT_TRUE(waitUntil([&] { return !bar.get_search_mode(); }));
    }
    ASSERT_TRUE(press("ctrl+g"));
    ASSERT_TRUE(press("ctrl+g"));
    EXPECT_TRUE(waitUntil([&] { return bar.countText() == "1 of 4"; })) << bar.countText();

    // Editing closes the page's find; the find keys then go to the editor's.
    startEditing(*window);
    GtkWidget* text = gtk_widget_get_parent(editorText(*window));
    EXPECT_EQ(finding(text), Finding(false, false, false));
    ASSERT_TRUE(press("ctrl+f"));
    ASSERT_TRUE(waitUntil([&] { return detail().editor()->isFindShown(); }));
    EXPECT_EQ(finding(text), Finding(false, false, true));
    ASSERT_TRUE(press("f r u i t"));
    // The match found is selected, from its start.
    EXPECT_TRUE(waitUntil([&] { return editor::cursorLine(editorText(*window)) == 2; }));

    ASSERT_TRUE(press("Escape"));
    ASSERT_TRUE(waitUntil([&] { return !detail().editor()->isFindShown(); }));
    EXPECT_TRUE(hasFocusIn(editorText(*window)));
    EXPECT_EQ(finding(text), Finding(false, false, false));
    EXPECT_EQ(shows(), "edit editing editor view");
}

// Mended: closing over a disk conflict used to drop the user's text without a word.
TEST_F(EditingWindowTest, ClosingSavesWithoutAskingAndOverADiskConflictAsksAndDoesAsAnswered) {
    // The answer to the question, when asked; whether the window closes; the note's text after.
    using Case = std::tuple<const char*, bool, const char*>;
    for (const auto& [given, closes, text] :
         {Case{nullptr, true, "mine first\n"},
          Case{CloseConfirmation::cancelTitle, false, "theirs\n"},
          Case{CloseConfirmation::discardTitle, true, "theirs\n"},
          Case{CloseConfirmation::keepTitle, true, "mine first\n"}}) {
        SCOPED_TRACE(given ? given : "no conflict");
        writeNote("a.md", "first\n");
        open(folderTarget("a.md"));
        startEditing(*window);
        if (given) {
            writeNote("a.md", "theirs\n");
            ASSERT_TRUE(waitUntil(
                [&] { return window->model().editSession.get()->conflict->has_value(); }));
        }
        window->close();
        runFor(std::chrono::milliseconds(50));
        EXPECT_EQ(isClosed(), !given);
        if (given) {
            ASSERT_TRUE(question() && question()->get_visible());
            EXPECT_EQ(question()->property_text().get_value(),
                      "Your changes to \u201ca.md\u201d aren\u2019t saved.");
            answer(*window, given);
        }
        EXPECT_EQ(std::tuple(question(), isClosed(), disk()), std::tuple(nullptr, closes, text));
        // Nothing changed: still editing the user's text.
        if (!closes) {
            EXPECT_EQ(shows() + ": " + *window->model().editSession.get()->text,
                      "edit editing editor view: mine first\n");
        }
    }
}

// Mended: quitting, or keeping my version, dropped the text of a note that could not be saved.
TEST_F(EditingWindowTest, QuittingWaitsForTheAnswerWhichAsksAgainWhileTheNoteCannotBeWritten) {
    writeNote("a.md", "first\n");
    writeNote("b.md", "other\n");
    const auto firstQuit = [&](Application& application) {
        auto* editing = &application.openWindow({std::nullopt, note("a.md")});
        ASSERT_TRUE(waitUntil([&] { return editing->model().page.get().has_value(); }));
        startEditing(*editing);
        std::filesystem::remove(folder / "a.md");
        std::filesystem::create_directory(folder / "a.md");

        application.quit();
        ASSERT_NE(editing->closeConfirmation().question(), nullptr);
        const auto details = editing->closeConfirmation().question()->property_secondary_text();
        EXPECT_TRUE(details.get_value().raw().starts_with("Couldn\u2019t save \u201ca.md\u201d. "))
            << details.get_value();
        answer(*editing, CloseConfirmation::cancelTitle);
        // Reached only when the application still runs after the cancelled quit: the note
        // is written only by the answer below.
        Glib::signal_timeout().connect_once(
            [&, editing] {
                EXPECT_EQ(
                    std::ranges::count_if(Gtk::Window::list_toplevels(), &Gtk::Widget::get_visible),
                    2);
                application.quit();
                answer(*editing, CloseConfirmation::keepTitle);
                // Still not written: asked again.
                const auto* again = editing->closeConfirmation().question();
                ASSERT_TRUE(again && again->get_visible());
                std::filesystem::remove(folder / "a.md");
                answer(*editing, CloseConfirmation::keepTitle);
            },
            500);
    };

    EXPECT_EQ(runApplication({folder / "b.md"}, {"b"}, firstQuit).first, 0);
    EXPECT_EQ(disk(), "mine first\n");
}

// Mended: in a note shorter than the editor, or at its start, the editor could not scroll the
// line it opened at down to where its top line is read, and each Ctrl+E there and back moved
// the page down by the lines between.
TEST_F(EditingWindowTest, CtrlETwiceWithoutScrollingLeavesThePageWhereItWas) {
    std::filesystem::copy_file(
        std::filesystem::path(LUMENLEAF_EXAMPLES_DIR) / "Code and diagrams.md", folder / "c.md");
    std::string tall;
    for (int line = 1; line <= 300; ++line)
        tall += "Line " + std::to_string(line) + (line % 5 == 0 ? "\n\n" : "\n");
    writeNote("tall.md", tall);
    auto& model = open(folderTarget("c.md")).model();
    // The editor has put its start line in place once its top line holds still.
    const auto editorSettled = [&] {
        int last = 0;
        return waitUntil([&] {
            runFor(std::chrono::milliseconds(50));
            const int now = detail().editor() ? model.editor.topVisibleLine() : 0;
            return std::exchange(last, now) == now && now > 0;
        });
    };
    // The page's top line and its scroll offset.
    const auto place = [&] { return run("[mdr.topLine(), scrollY]"); };
    for (const auto& [name, y] :
         {std::pair("c.md", 0), std::pair("c.md", 400), std::pair("tall.md", 2000)}) {
        SCOPED_TRACE(std::string(name) + " at " + std::to_string(y));
        model.open(note(name));
        settle();
        run("scrollTo(0, " + std::to_string(y) + ")");
        const auto before = place();
        for (int trip = 1; trip <= 10; ++trip) {
            ASSERT_TRUE(press("ctrl+e"));
            ASSERT_TRUE(editorSettled());
            ASSERT_TRUE(press("ctrl+e"));
            ASSERT_TRUE(waitUntil([&] { return shows() == "read reading"; }));
            const auto after = place();
            ASSERT_EQ(after[0], before[0]) << "trip " << trip << ": " << after;
            // Within a line of the text, 1.6 times its size.
            EXPECT_NEAR(after[1].get<double>(), before[1].get<double>(), 28) << "trip " << trip;
        }
    }
}

} // namespace
} // namespace app
