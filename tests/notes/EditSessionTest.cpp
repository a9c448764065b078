#include "notes/EditSession.hpp"
#include "notes/ManualScheduler.hpp"

#include "ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::chrono_literals;

namespace notes {
namespace {

namespace fs = std::filesystem;
using Conflict = EditSession::Conflict;

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

class EditSessionTest : public ::testing::Test {
protected:
    std::shared_ptr<EditSession> open(std::string_view bytes) {
        ScratchFolder::write(note, bytes);
        auto opened = EditSession::open(markdown::URL::fileURL(note), scheduler);
        auto* session = std::get_if<std::shared_ptr<EditSession>>(&opened);
        if (!session) {
            ADD_FAILURE() << std::get<std::error_code>(opened).message();
            return nullptr;
        }
        replaced.clear();
        (*session)->onReplaceText = [this](const std::string& text) { replaced.push_back(text); };
        return *session;
    }
    /// A session of the note "base" with the unsaved edit "mine" and "theirs" on disk.
    std::shared_ptr<EditSession> openInConflict() {
        auto session = open("base");
        session->textDidChange("mine");
        session->diskChanged("theirs");
        return session;
    }
    [[nodiscard]] std::string onDisk() const { return ScratchFolder::read(note); }

    ScratchFolder folder;
    fs::path note = folder / "note.md";
    ManualScheduler scheduler;
    std::vector<std::string> replaced;
};

TEST_F(EditSessionTest, OpensOnlyStrictUTF8Files) {
    auto missing = EditSession::open(markdown::URL::fileURL(folder / "none.md"), scheduler);
    ASSERT_TRUE(std::holds_alternative<std::error_code>(missing));
    EXPECT_EQ(std::get<std::error_code>(missing), std::errc::no_such_file_or_directory);

    ScratchFolder::write(note, "caf\xE9");
    auto latin1 = EditSession::open(markdown::URL::fileURL(note), scheduler);
    ASSERT_TRUE(std::holds_alternative<std::error_code>(latin1));
    EXPECT_EQ(std::get<std::error_code>(latin1), FileText::ReadError::notUTF8);
    EXPECT_EQ(std::get<std::error_code>(latin1).message(),
              "This file isn\u2019t plain UTF-8 text, so Lumenleaf won\u2019t edit it (saving "
              "could change it).");

    auto session = open("\xEF\xBB\xBF"
                        "a\r\nb\r\n");
    EXPECT_EQ(*session->text, "a\r\nb\r\n");
    EXPECT_EQ(*session->savedText, "a\r\nb\r\n");
    EXPECT_TRUE(session->format().hasBOM);
    EXPECT_EQ(session->format().lineEnding, LineEnding::crlf);
    EXPECT_FALSE(session->isDirty());
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(*session->lastError, std::nullopt);
    EXPECT_EQ(session->autosaveDelay(), 900ms);
}

TEST_F(EditSessionTest, AutosavesOnceAfterTheLastChange) {
    auto session = open("a");
    const ino_t before = inodeOf(note);
    session->textDidChange("ab");
    scheduler.advance(500ms);
    session->textDidChange("abc");
    scheduler.advance(899ms);
    EXPECT_EQ(onDisk(), "a");
    EXPECT_TRUE(session->isDirty());

    scheduler.advance(1ms);
    EXPECT_EQ(onDisk(), "abc");
    EXPECT_NE(inodeOf(note), before);
    EXPECT_EQ(*session->savedText, "abc");
    EXPECT_FALSE(session->isDirty());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(EditSessionTest, TypingBackToTheSavedTextWritesNothing) {
    auto session = open("a");
    const ino_t before = inodeOf(note);
    session->textDidChange("ab");
    session->textDidChange("a");
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    scheduler.advance(5s);
    EXPECT_EQ(inodeOf(note), before);

    // A canonically equivalent text is no change at all.
    auto accented = open("caf\xC3\xA9");
    accented->textDidChange("cafe\xCC\x81");
    EXPECT_FALSE(accented->isDirty());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(EditSessionTest, SavesWithTheFilesMarkAndTheBreaksAsTyped) {
    struct Case {
        const char* name;
        std::string original;
        std::string typed;
        std::string written;
    };
    const Case cases[] = {
        {"mark kept", "\xEF\xBB\xBFold", "new\n", "\xEF\xBB\xBFnew\n"},
        {"no mark added", "old", "\xEF\xBB\xBFnew", "\xEF\xBB\xBFnew"},
        {"pasted CR LF in an LF file", "a\nb\n", "a\nb\nc\r\nd\r\n", "a\nb\nc\r\nd\r\n"},
        {"empty text", "\xEF\xBB\xBFx", "", "\xEF\xBB\xBF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto session = open(c.original);
        session->textDidChange(c.typed);
        EXPECT_TRUE(session->save());
        EXPECT_EQ(onDisk(), c.written);
        EXPECT_EQ(scheduler.pendingCount(), 0u);
    }
}

TEST_F(EditSessionTest, IgnoresTheEchoOfItsOwnSave) {
    auto session = open("a");
    session->textDidChange("caf\xC3\xA9");
    ASSERT_TRUE(session->save());
    session->textDidChange("caf\xC3\xA9, more"); // unsaved edits: a real change would conflict
    int notified = 0;
    session->text.connect([&] { ++notified; });
    session->conflict.connect([&] { ++notified; });

    session->diskChanged(onDisk());
    session->diskChanged("cafe\xCC\x81"); // the same text, decomposed
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(replaced.empty());
}

TEST_F(EditSessionTest, ReloadsSilentlyWhenThereAreNoUnsavedEdits) {
    auto session = open("a");
    std::vector<std::string> seen;
    session->text.connect([&] { seen.push_back(*session->text); });

    session->diskChanged("theirs");
    EXPECT_EQ(*session->text, "theirs");
    EXPECT_EQ(*session->savedText, "theirs");
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(replaced, (std::vector<std::string>{"theirs"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"theirs"}));
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(EditSessionTest, UnsavedEditsAndADiskChangeOpenAConflictThatBlocksSaving) {
    auto session = open("base");
    session->textDidChange("mine");
    session->diskChanged("theirs 1");
    EXPECT_EQ(*session->conflict, Conflict(EditSession::ChangedOnDisk{"theirs 1"}));
    EXPECT_EQ(*session->text, "mine");
    EXPECT_TRUE(replaced.empty());

    scheduler.advance(5s);
    EXPECT_EQ(onDisk(), "base");
    EXPECT_FALSE(session->save());
    EXPECT_EQ(*session->lastError, std::nullopt);

    session->diskChanged("theirs 2");
    EXPECT_EQ(*session->conflict, Conflict(EditSession::ChangedOnDisk{"theirs 2"}));

    // Editing back to the saved text needs no write; the conflict stays open.
    session->textDidChange("base");
    EXPECT_TRUE(session->save());
    EXPECT_EQ(*session->conflict, Conflict(EditSession::ChangedOnDisk{"theirs 2"}));
    EXPECT_EQ(onDisk(), "base");
}

TEST_F(EditSessionTest, KeepMineOverwritesTheirTextAfterTheDelay) {
    auto session = openInConflict();
    session->keepMine();
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(*session->savedText, "theirs");
    EXPECT_TRUE(session->isDirty());

    session->diskChanged("theirs"); // reported again: already answered
    EXPECT_EQ(*session->conflict, std::nullopt);
    scheduler.advance(900ms);
    EXPECT_EQ(onDisk(), "mine");

    // A late report of their text must not bring it back over the user's saved one.
    session->diskChanged("theirs");
    EXPECT_EQ(*session->text, "mine");
    EXPECT_TRUE(replaced.empty());

    // A newer text of theirs after the answer is a new conflict, and nothing is written.
    auto again = openInConflict();
    again->keepMine();
    again->diskChanged("theirs again");
    EXPECT_EQ(*again->conflict, Conflict(EditSession::ChangedOnDisk{"theirs again"}));
    scheduler.advance(5s);
    EXPECT_EQ(onDisk(), "base");
}

TEST_F(EditSessionTest, LoadTheirsCanBeUndoneAndTheUndoIsSaved) {
    auto session = openInConflict();
    session->loadTheirs();
    EXPECT_EQ(*session->text, "theirs");
    EXPECT_EQ(*session->savedText, "theirs");
    EXPECT_EQ(*session->conflict, Conflict(EditSession::LoadedTheirs{"mine"}));
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    session->undoLoadTheirs();
    EXPECT_EQ(*session->text, "mine");
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(replaced, (std::vector<std::string>{"theirs", "mine"}));
    scheduler.advance(899ms);
    EXPECT_EQ(onDisk(), "base");
    scheduler.advance(1ms);
    EXPECT_EQ(onDisk(), "mine");
}

TEST_F(EditSessionTest, TypingOrANewDiskTextEndsTheUndoOffer) {
    auto typed = openInConflict();
    typed->loadTheirs();
    typed->textDidChange("theirs, edited");
    EXPECT_EQ(*typed->conflict, std::nullopt);
    scheduler.advance(900ms);
    EXPECT_EQ(onDisk(), "theirs, edited");

    auto reloaded = openInConflict();
    reloaded->loadTheirs();
    reloaded->diskChanged("newer");
    EXPECT_EQ(*reloaded->text, "newer");
    EXPECT_EQ(*reloaded->conflict, std::nullopt);
    EXPECT_FALSE(reloaded->isDirty());
}

TEST_F(EditSessionTest, ConflictChoicesOfTheWrongKindChangeNothing) {
    auto session = open("base");
    session->textDidChange("mine");
    session->keepMine();
    session->loadTheirs();
    session->undoLoadTheirs();
    EXPECT_EQ(*session->text, "mine");
    EXPECT_EQ(*session->savedText, "base");
    EXPECT_EQ(*session->conflict, std::nullopt);

    session->diskChanged("theirs");
    session->undoLoadTheirs();
    EXPECT_EQ(*session->conflict, Conflict(EditSession::ChangedOnDisk{"theirs"}));
    session->loadTheirs();
    session->keepMine();
    EXPECT_EQ(*session->conflict, Conflict(EditSession::LoadedTheirs{"mine"}));
    EXPECT_EQ(*session->savedText, "theirs");
}

TEST_F(EditSessionTest, AFailedSaveReportsWhyAndAGoodOneClearsIt) {
    fs::create_directory(folder / "sub");
    note = folder / "sub" / "Plan.md";
    auto session = open("base");
    session->textDidChange("mine");
    fs::remove_all(folder / "sub");

    EXPECT_FALSE(session->save());
    EXPECT_EQ(*session->lastError,
              "Couldn\u2019t save \u201cPlan.md\u201d. No such file or directory");
    EXPECT_FALSE(fs::exists(folder / "sub")); // the write makes no folder of its own
    EXPECT_EQ(*session->text, "mine");
    EXPECT_EQ(*session->savedText, "base");
    EXPECT_EQ(scheduler.pendingCount(), 0u); // no retry of its own

    fs::create_directory(folder / "sub");
    EXPECT_TRUE(session->save());
    EXPECT_EQ(*session->lastError, std::nullopt);
    EXPECT_EQ(onDisk(), "mine");
}

TEST_F(EditSessionTest, AReadOnlyNoteIsNotReplaced) {
    auto session = open("base");
    ::chmod(note.c_str(), 0444);
    session->textDidChange("mine");
    scheduler.advance(900ms);
    EXPECT_EQ(*session->lastError, "Couldn\u2019t save \u201cnote.md\u201d. Permission denied");
    EXPECT_EQ(onDisk(), "base");
    EXPECT_TRUE(session->isDirty());
}

TEST_F(EditSessionTest, ADroppedSessionSavesNothing) {
    auto session = open("base");
    session->textDidChange("mine");
    session.reset();
    scheduler.advance(5s);
    EXPECT_EQ(onDisk(), "base");
}

} // namespace
} // namespace notes
