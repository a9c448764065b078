#include "ModelHarness.hpp"

namespace reader {
namespace {

namespace fs = std::filesystem;
using Mode = ReaderModel::Mode;
using namespace std::chrono_literals;

const std::string notUTF8 = "This file isn\u2019t plain UTF-8 text, so Lumenleaf won\u2019t edit "
                            "it (saving could change it).";

// A single note open and rendered, with an editor view attached.
struct EditingTest : ModelTest {
    EditingTest() {
        write("Note.md", "one\ntwo");
        model.openFile(note("Note.md"));
        settle();
        model.editor.setTextView(view);
    }
    // Switches to editing with the page reporting the line at its top.
    void enterAt(int line) {
        model.toggleEditing();
        page->answer(nlohmann::json(line));
    }
    std::string onDisk() const { return notes::ScratchFolder::read(folder / "Note.md"); }

    std::shared_ptr<FakeTextView> view = std::make_shared<FakeTextView>();
};

nlohmann::json status(double current, int count) {
    return {{"current", current}, {"count", count}};
}

TEST_F(EditingTest, LeavesAtTheEditorsLineSavingAChangedTextAndEntersAtThePagesLine) {
    enterAt(1);
    model.editSession.get()->textDidChange("# Edited\nthree");
    view->before = "# Edited\n";
    std::size_t sent = page->sent.size();
    model.toggleEditing();
    settle();
    EXPECT_EQ(onDisk(), "# Edited\nthree");
    EXPECT_EQ(
        *model.page,
        (ReaderPage{note("Note.md"), paragraph("# Edited") + paragraph("three"), 2, {}, {}, 2}));
    EXPECT_EQ(page->sent.size(), sent); // the new page lands on the line itself

    // Unchanged text, but a rendering still running would land at the offset stored.
    enterAt(1);
    background.hold = true;
    model.renderOptions.set({notes::FrontmatterMode::hidden, true});
    view->before = "x\ny\n";
    model.toggleEditing();
    finish(1); // the rendering that leaving started
    finish(0);
    EXPECT_EQ(model.page.get()->scrollLine, 3);

    // Entering closes the page's find; leaving an unchanged text writes nothing.
    background.hold = false;
    model.showFind();
    model.toggleEditing(); // asks the page, and waits for its answer
    EXPECT_EQ(*model.mode, Mode::read);
    page->answer(nlohmann::json(12));
    EXPECT_EQ(std::tuple(*model.editorStartLine, *model.isFindVisible), std::tuple(12, false));
    EXPECT_EQ(page->sent.back(), "mdr.clearFind()");

    view->before = "one\ntwo\n";
    int pageChanges = 0;
    model.page.connect([&] { ++pageChanges; });
    fs::remove_all(folder.path()); // a write would fail, and beep
    model.toggleEditing();
    EXPECT_EQ(std::tuple(reading(), desktop.beeps, pageChanges, page->sent.back()),
              std::tuple(true, 0, 0, "mdr.scrollToLine(3)"));
}

// Mended: an editor that could not scroll its start line down to where its top line is read
// handed the page a later line, and each switch there and back moved the page down.
TEST_F(EditingTest, AnEditorLeftUnscrolledHandsThePageBackTheLineItOpenedAt) {
    // Whether the editor scrolled, whether the text changed; the line the page is sent to.
    using Case = std::tuple<bool, bool, int>;
    for (const auto& [scrolled, edited, expected] :
         {Case{false, false, 7}, Case{false, true, 7}, Case{true, false, 4}, Case{true, true, 4}}) {
        SCOPED_TRACE(std::to_string(scrolled) + " " + std::to_string(edited));
        enterAt(7);
        view->scrolled = scrolled;
        view->before = "1\n2\n3\n"; // the top line read is 4
        if (edited)
            model.editSession.get()->textDidChange(onDisk() + "!");
        model.toggleEditing();
        settle();
        ASSERT_TRUE(reading());
        if (edited)
            EXPECT_EQ(model.page.get()->scrollLine, expected);
        else
            EXPECT_EQ(page->sent.back(), "mdr.scrollToLine(" + std::to_string(expected) + ")");
    }
}

// Mended: an outside write of bytes that are not UTF-8 was skipped while editing, and the next
// autosave replaced it without a word.
TEST_F(EditingTest, AnOutsideWriteThatIsNotUTF8IsNeverOverwrittenUnasked) {
    enterAt(1);
    auto session = model.editSession.get();
    session->textDidChange("mine");
    write("Note.md", "Caf\xE9");
    changed({{"Note.md", notes::FolderChange::itemModified}});
    scheduler.advance(5s);
    EXPECT_TRUE(session->hasDiskConflict());
    session->stopEditing();
    EXPECT_EQ(std::tuple(reading(), renders.back().first, onDisk()),
              std::tuple(true, "Caf\uFFFD", "Caf\xE9"));

    SCOPED_TRACE("without unsaved edits, editing ends and says why");
    write("Note.md", "clean");
    enterAt(1);
    write("Note.md", "Caf\xE9 again");
    changed({{"Note.md", notes::FolderChange::itemModified}});
    EXPECT_EQ(std::tuple(reading(), *model.notice, onDisk()),
              std::tuple(true, notUTF8, "Caf\xE9 again"));
}

// Mended: a notice about one note stayed over the next note, and over its editor.
TEST_F(EditingTest, ANoticeAboutANoteGoesWithItWhileOneAboutTheFolderStays) {
    write("Latin.md", "caf\xE9");
    const std::string watchLimit(ReaderModel::watchLimitNotice);
    const auto show = [&](const char* name) {
        model.open(note(name));
        settle();
    };
    const auto notice = [&] { return model.notice.get().value_or("(none)"); };

    show("Latin.md");
    enterAt(1);
    EXPECT_EQ(notice(), notUTF8);
    changed({{"", notes::FolderChange::mustScanSubdirectories |
                      notes::FolderChange::watchLimitReached}});
    EXPECT_EQ(notice(), notUTF8 + "\n" + watchLimit);
    show("Note.md");
    EXPECT_EQ(notice(), watchLimit);

    // Asked twice, the note says it once; it goes from between the folder's lines too.
    show("Latin.md");
    enterAt(1);
    enterAt(1);
    model.notice.set(notice() + "\nAnother about the folder.");
    EXPECT_EQ(notice(), watchLimit + "\n" + notUTF8 + "\nAnother about the folder.");
    show("Note.md");
    EXPECT_EQ(notice(), watchLimit + "\nAnother about the folder.");

    // Dismissed, nothing comes back; a note that can be edited after all drops its notice.
    show("Latin.md");
    enterAt(1);
    model.notice.set(std::nullopt);
    show("Note.md");
    EXPECT_EQ(notice(), "(none)");
    show("Latin.md");
    enterAt(1);
    write("Latin.md", "caf\u00E9");
    enterAt(1);
    EXPECT_EQ(std::pair(reading(), notice()), std::pair(false, std::string("(none)")));

    // The editor moved on to a note it cannot edit says so until the next note.
    write("Latin2.md", "\xFF");
    show("Latin2.md");
    EXPECT_EQ(std::pair(reading(), notice()), std::pair(true, notUTF8));
    show("Note.md");
    EXPECT_EQ(notice(), "(none)");

    // What was said about one folder is not said of the next one opened.
    changed({{"", notes::FolderChange::mustScanSubdirectories |
                      notes::FolderChange::watchLimitReached}});
    model.openFolder(root(), std::nullopt);
    settle();
    EXPECT_EQ(notice(), "(none)");
    changed({{"", notes::FolderChange::mustScanSubdirectories |
                      notes::FolderChange::watchLimitReached}});
    model.openFile(note("Note.md"));
    settle();
    EXPECT_EQ(notice(), "(none)");
}

// Mended: the page's answer used to start a session on whatever note was open by then, and a
// second answer replaced the session the first had started.
TEST_F(EditingTest, ALateTopLineStartsNothingOnceTheWindowHasMovedOn) {
    write("Other.md", "other");
    model.toggleEditing();
    model.open(note("Other.md"));
    page->answer(nlohmann::json(4));
    EXPECT_TRUE(reading());
    // Until its own page is in, the page shown is the other note's: its top line is not asked.
    model.toggleEditing();
    EXPECT_EQ(page->awaited.size(), 1u);
    settle();

    model.toggleEditing();
    model.toggleEditing();
    page->answer(nlohmann::json(4));
    auto session = model.editSession.get();
    session->textDidChange("typed meanwhile");
    page->answer(nlohmann::json(9));
    EXPECT_EQ(std::tuple(*model.editSession, *model.editorStartLine), std::tuple(session, 4));
}

// Mended: closing a window or quitting while the session could not save dropped the user's
// text without a word.
TEST_F(EditingTest, AConflictOrAFailedSaveKeepsTheEditorAndClosingAsksBeforeLosingIt) {
    using Reason = ReaderModel::UnsavedEdits::Reason;
    using Choice = ReaderModel::CloseChoice;
    enterAt(1);
    auto session = model.editSession.get();
    session->textDidChange("saved on the way out");
    EXPECT_EQ(model.prepareToClose(), std::nullopt);
    EXPECT_EQ(onDisk(), "saved on the way out");

    session->textDidChange("mine");
    write("Note.md", "theirs");
    session->diskChanged("theirs");
    model.toggleEditing();
    EXPECT_EQ(std::tuple(desktop.beeps, *model.mode), std::tuple(1, Mode::edit));
    auto unsaved = model.prepareToClose().value();
    EXPECT_EQ(std::tuple(unsaved.reason, unsaved.file),
              std::tuple(Reason::changedOnDisk, note("Note.md")));
    EXPECT_EQ((std::tuple{model.resolveClose(Choice::cancel), *model.editSession}),
              std::tuple(false, session));
    EXPECT_EQ((std::tuple{model.resolveClose(Choice::keepMine), onDisk()}),
              std::tuple(true, "mine"));

    session->textDidChange("mine again");
    fs::remove_all(folder.path());
    model.toggleEditing();
    EXPECT_EQ(std::tuple(desktop.beeps, *model.mode), std::tuple(2, Mode::edit));
    unsaved = model.prepareToClose().value();
    EXPECT_EQ(unsaved.reason, Reason::saveFailed);
    EXPECT_TRUE(unsaved.error.value_or("").starts_with("Couldn\u2019t save \u201cNote.md\u201d. "));
    EXPECT_FALSE(model.resolveClose(Choice::keepMine)); // still cannot be written
    EXPECT_TRUE(model.prepareToClose());
    EXPECT_TRUE(model.resolveClose(Choice::discard));
    EXPECT_TRUE(reading());
    EXPECT_EQ(model.prepareToClose(), std::nullopt);
}

TEST_F(EditingTest, FindsInThePageKeepingTheNewestCountsThenInTheEditorOfANoteThatOpened) {
    model.open(note("Missing.md"));
    model.toggleEditing();
    EXPECT_TRUE(page->awaited.empty());
    model.open(note("Note.md"));
    settle();

    int focused = 0;
    model.web.setFocusFindField([&] { ++focused; });
    model.findNext(true); // with the bar hidden: only shows it
    EXPECT_EQ(std::tuple(*model.isFindVisible, focused, page->awaited.size()),
              std::tuple(true, 1, 0u));

    model.findQuery.set("two \"words\"");
    model.find();
    model.findNext(true);
    model.findStep(false);
    page->answer(status(3, 3), 2);
    EXPECT_EQ(page->awaited,
              (std::vector<std::string>{R"(mdr.find("two \"words\""))", "mdr.findStep(true)",
                                        "mdr.findStep(false)"}));
    EXPECT_EQ(*model.findStatus, (FindStatus{3, 3}));
    model.findStep(true);
    page->answer(status(2.5, 3), 2); // only whole numbers count
    EXPECT_EQ(*model.findStatus, (FindStatus{0, 3}));

    model.closeFind();
    EXPECT_EQ(std::tuple(*model.isFindVisible, *model.findStatus, *model.findQuery),
              std::tuple(false, FindStatus{0, 0}, "two \"words\""));
    EXPECT_EQ(page->sent, std::vector<std::string>{"mdr.clearFind()"});

    // Mended: answers were applied as they arrived, so a slow answer to an older query replaced
    // the answer to the query the user had typed since.
    model.find();
    model.find();
    page->answer(status(1, 2), 3);
    page->answer(status(1, 9), 2);
    EXPECT_EQ(*model.findStatus, (FindStatus{1, 2}));
    // Nor does one that arrives after the bar was closed.
    model.find();
    model.closeFind();
    page->answer(status(1, 2), 2);
    EXPECT_EQ(*model.findStatus, (FindStatus{0, 0}));
    // A search that finds nothing tells the bar, though its status equals the one held.
    int told = 0;
    sigc::connection telling = model.findStatus.connect([&] { ++told; });
    model.showFind();
    model.find();
    page->answer(status(0, 0), page->waiting.size() - 1);
    EXPECT_EQ(told, 1);
    telling.disconnect();
    model.closeFind();

    // Reopened on the kept query, the page is searched when the user steps, not before. While
    // the bar shows a search, the page's count for the note's new text is the count.
    const auto refreshed = [&](int current, int count) {
        model.web.dispatchMessage({{"type", "find"}, {"current", current}, {"count", count}}, {});
        return *model.findStatus;
    };
    const auto asked = page->awaited.size();
    model.findNext(true);
    EXPECT_EQ(std::tuple(*model.isFindVisible, page->awaited.size()), std::tuple(true, asked));
    EXPECT_EQ(refreshed(2, 4), (FindStatus{0, 0}));
    model.findNext(false);
    EXPECT_EQ(page->awaited.back(), R"(mdr.find("two \"words\""))");
    page->answer(status(1, 3), page->waiting.size() - 1);
    EXPECT_EQ(refreshed(2, 4), (FindStatus{2, 4}));
    model.findNext(false);
    EXPECT_EQ(page->awaited.back(), "mdr.findStep(false)");
    // The page of another note holds no search until the first step searches it.
    write("Other.md", "two");
    model.open(note("Other.md"));
    settle();
    EXPECT_EQ(*model.findStatus, (FindStatus{0, 0}));
    EXPECT_EQ(refreshed(2, 4), (FindStatus{0, 0}));
    model.findNext(true);
    EXPECT_EQ(page->awaited.back(), R"(mdr.find("two \"words\""))");
    model.closeFind();
    EXPECT_EQ(refreshed(1, 4), (FindStatus{0, 0}));

    // Without a page, editing starts at the first line.
    model.web.setWebView({});
    model.toggleEditing();
    EXPECT_EQ(*model.editorStartLine, 1);
    model.showFind();
    model.findNext(true);
    model.findNext(false);
    using Action = EditorTextView::FinderAction;
    EXPECT_EQ(view->actions,
              (std::vector{Action::showFindInterface, Action::nextMatch, Action::previousMatch}));
    EXPECT_EQ(std::tuple(view->focused, *model.isFindVisible), std::tuple(3, false));
}

} // namespace
} // namespace reader
