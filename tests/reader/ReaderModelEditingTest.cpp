#include "FakePage.hpp"
#include "FakeTextView.hpp"
#include "LogCapture.hpp"
#include "ModelHarness.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using notes::ScratchFolder;
using Mode = ReaderModel::Mode;

const LogEntry enterAt12{"org.lumenleaf.Lumenleaf", "editing", "enter editing at line 12"};

// A single note open and rendered, with a page and an editor view attached.
struct EditingTest : ::testing::Test {
    EditingTest() {
        ScratchFolder::write(folder / "Note.md", "one\ntwo");
        ScratchFolder::write(folder / "Other.md", "other");
        model.openFile(note("Note.md"));
        model.web.setWebView(page);
        model.editor.setTextView(view);
    }
    URL note(const char* name) const { return URL::fileURL(folder / name); }
    // Switches to editing with the page reporting the line at its top.
    void enterAt(int line) {
        model.toggleEditing();
        page->answer(nlohmann::json(line));
    }

    ScratchFolder folder;
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    std::shared_ptr<FakePage> page = std::make_shared<FakePage>();
    std::shared_ptr<FakeTextView> view = std::make_shared<FakeTextView>();
    LogCapture log;
};

TEST_F(EditingTest, EntersAtTheLineThePageReportsAfterClosingTheFind) {
    model.showFind();
    model.toggleEditing();
    EXPECT_EQ(page->awaited, std::vector<std::string>{"mdr.topLine()"});
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_TRUE(log.entries.empty());

    page->answer(nlohmann::json(12));
    EXPECT_EQ(*model.mode, Mode::edit);
    ASSERT_NE(*model.editSession, nullptr);
    EXPECT_EQ(model.editSession.get()->text.get(), "one\ntwo");
    EXPECT_EQ(*model.editorStartLine, 12);
    EXPECT_FALSE(*model.isFindVisible);
    EXPECT_EQ(page->sent, std::vector<std::string>{"mdr.clearFind()"});
    EXPECT_EQ(log.entries, std::vector{enterAt12});
}

TEST_F(EditingTest, WithoutAPageViewTheEditorOpensAtTheFirstLine) {
    model.web.setWebView({});
    model.toggleEditing();
    EXPECT_EQ(*model.mode, Mode::edit);
    EXPECT_EQ(*model.editorStartLine, 1);
}

TEST_F(EditingTest, DoesNothingWithoutANoteOrWithANoteThatFailedToOpen) {
    ModelHarness empty;
    empty.model->web.setWebView(page);
    empty.model->toggleEditing();

    model.open(note("Missing.md"));
    ASSERT_TRUE(model.errorMessage->has_value());
    model.toggleEditing();

    EXPECT_TRUE(page->awaited.empty());
    EXPECT_EQ(*empty.model->mode, Mode::read);
    EXPECT_EQ(*model.mode, Mode::read);
}

TEST_F(EditingTest, ANoteThatIsNotStrictUTF8IsRefusedWithTheReason) {
    ScratchFolder::write(folder / "Latin.md", "caf\xe9");
    model.open(note("Latin.md"));
    int revision = model.page.get()->revision;

    enterAt(3);
    EXPECT_EQ(*model.notice, "This file isn\u2019t plain UTF-8 text, so Lumenleaf won\u2019t edit "
                             "it (saving could change it).");
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_EQ(*model.editSession, nullptr);
    EXPECT_EQ(model.page.get()->revision, revision);
}

TEST_F(EditingTest, LeavingWithoutChangesKeepsThePageAndScrollsItToTheEditorsLine) {
    enterAt(12);
    view->before = "one\ntwo\n";
    auto pageChanges = countNotifications(model.page);

    model.toggleEditing();
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_EQ(*model.editSession, nullptr);
    EXPECT_EQ(*pageChanges, 0);
    EXPECT_EQ(page->sent.back(), "mdr.scrollToLine(3)");
    EXPECT_EQ(log.entries.back(),
              (LogEntry{"org.lumenleaf.Lumenleaf", "editing", "leave editing at line 3"}));
}

TEST_F(EditingTest, LeavingAfterEditsSavesAndRendersTheEditedTextAtTheEditorsLine) {
    enterAt(1);
    model.editSession.get()->textDidChange("# Edited\nthree");
    view->before = "# Edited\n";
    std::size_t sent = page->sent.size();

    model.toggleEditing();
    EXPECT_EQ(ScratchFolder::read(folder / "Note.md"), "# Edited\nthree");
    EXPECT_EQ(*model.mode, Mode::read);
    const ReaderPage& shown = *model.page.get();
    EXPECT_EQ(shown.revision, 2);
    EXPECT_EQ(shown.scrollLine, 2);
    EXPECT_EQ(shown.bodyHTML, paragraph("# Edited") + paragraph("three"));
    EXPECT_EQ(model.headings->size(), 1u);
    EXPECT_EQ(page->sent.size(), sent); // the new page lands on the line itself

    // The page now stands for the edited text: going back and forth renders nothing new.
    enterAt(2);
    model.toggleEditing();
    EXPECT_EQ(model.page.get()->revision, 2);
}

TEST_F(EditingTest, AConflictOrAFailedSaveBeepsAndKeepsTheEditor) {
    enterAt(1);
    auto session = model.editSession.get();
    session->textDidChange("mine");
    session->diskChanged("theirs");
    std::size_t logged = log.entries.size();

    model.toggleEditing();
    EXPECT_EQ(harness.desktop.beeps, 1);
    EXPECT_EQ(*model.mode, Mode::edit);
    EXPECT_EQ(*model.editSession, session);
    EXPECT_EQ(log.entries.size(), logged); // nothing is logged before the conflict is answered

    session->keepMine();
    fs::remove_all(folder.path());
    model.toggleEditing();
    EXPECT_EQ(harness.desktop.beeps, 2);
    EXPECT_EQ(*model.mode, Mode::edit);
    EXPECT_EQ(*model.editSession, session);
    EXPECT_TRUE(session->lastError->has_value());
    EXPECT_EQ(log.entries.size(), logged + 1); // the leave is logged anyway
}

TEST_F(EditingTest, LeavingACleanSessionNeedsNoWrite) {
    enterAt(1);
    fs::remove_all(folder.path());
    model.toggleEditing();
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_EQ(harness.desktop.beeps, 0);
}

TEST_F(EditingTest, LeavingWithoutASessionOnlyReturnsToReading) {
    model.mode.set(Mode::edit);
    model.leaveEditing();
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_TRUE(page->sent.empty());
}

// Mended: the page's answer used to start a session on whatever note was open by then, and a
// second answer replaced the session the first had started.
TEST_F(EditingTest, ALateTopLineStartsNothingOnceTheWindowHasMovedOn) {
    model.toggleEditing();
    model.open(note("Other.md"));
    page->answer(nlohmann::json(4));
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_EQ(*model.editSession, nullptr);
    EXPECT_TRUE(log.entries.empty());

    model.toggleEditing();
    model.toggleEditing();
    page->answer(nlohmann::json(4));
    auto session = model.editSession.get();
    session->textDidChange("typed meanwhile");
    page->answer(nlohmann::json(9));
    EXPECT_EQ(*model.editSession, session);
    EXPECT_EQ(*model.editorStartLine, 4);
}

// Mended: closing a window or quitting while the session could not save dropped the user's
// text without a word.
TEST_F(EditingTest, ClosingAsksBeforeLosingTextThatCannotBeSaved) {
    using Reason = ReaderModel::UnsavedEdits::Reason;
    using Choice = ReaderModel::CloseChoice;
    EXPECT_EQ(model.prepareToClose(), std::nullopt);

    enterAt(1);
    auto session = model.editSession.get();
    session->textDidChange("saved on the way out");
    EXPECT_EQ(model.prepareToClose(), std::nullopt);
    EXPECT_EQ(ScratchFolder::read(folder / "Note.md"), "saved on the way out");

    session->textDidChange("mine");
    session->diskChanged("theirs");
    auto unsaved = model.prepareToClose();
    ASSERT_TRUE(unsaved);
    EXPECT_EQ(unsaved->reason, Reason::changedOnDisk);
    EXPECT_EQ(unsaved->file, note("Note.md"));
    EXPECT_FALSE(model.resolveClose(Choice::cancel));
    EXPECT_EQ(*model.editSession, session);
    EXPECT_TRUE(model.resolveClose(Choice::keepMine));
    EXPECT_EQ(ScratchFolder::read(folder / "Note.md"), "mine");

    session->textDidChange("mine again");
    fs::remove_all(folder.path());
    unsaved = model.prepareToClose();
    ASSERT_TRUE(unsaved);
    EXPECT_EQ(unsaved->reason, Reason::saveFailed);
    EXPECT_TRUE(
        unsaved->error.value_or("").starts_with("Couldn\u2019t save \u201cNote.md\u201d. "));
    EXPECT_FALSE(model.resolveClose(Choice::keepMine)); // still cannot be written
    EXPECT_TRUE(model.prepareToClose());
    EXPECT_TRUE(model.resolveClose(Choice::discard));
    EXPECT_EQ(*model.editSession, nullptr);
    EXPECT_EQ(*model.mode, Mode::read);
    EXPECT_EQ(model.prepareToClose(), std::nullopt);
}

TEST_F(EditingTest, DiscardingAConflictKeepsTheDiskTextAndShowsIt) {
    enterAt(1);
    auto session = model.editSession.get();
    session->textDidChange("mine");
    ScratchFolder::write(folder / "Note.md", "theirs");
    session->diskChanged("theirs");
    ASSERT_TRUE(model.prepareToClose());

    EXPECT_TRUE(model.resolveClose(ReaderModel::CloseChoice::discard));
    EXPECT_EQ(ScratchFolder::read(folder / "Note.md"), "theirs");
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("theirs"));
    harness.scheduler.advance(notes::EditSession::defaultAutosaveDelay * 2);
    EXPECT_EQ(ScratchFolder::read(folder / "Note.md"), "theirs");
}

} // namespace
} // namespace reader
