#include "notes/files/EditSession.hpp"
#include "notes/runtime/ManualScheduler.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>

using namespace std::chrono_literals;

namespace notes {
namespace {

namespace fs = std::filesystem;
using Conflict = EditSession::Conflict;
using Texts = std::vector<std::string>;

class EditSessionTest : public ::testing::Test {
protected:
    std::shared_ptr<EditSession> open(std::string_view bytes) {
        ScratchFolder::write(note, bytes);
        auto session = std::get<std::shared_ptr<EditSession>>(
            EditSession::open(markdown::URL::fileURL(note), scheduler));
        replaced.clear();
        session->onReplaceText = [this](const std::string& text) { replaced.push_back(text); };
        return session;
    }
    /// A session of the note "base" with the unsaved edit "mine".
    std::shared_ptr<EditSession> edited() {
        auto session = open("base");
        session->textDidChange("mine");
        return session;
    }
    /// The same, with "theirs" on disk and reported.
    std::shared_ptr<EditSession> openInConflict() {
        auto session = edited();
        ScratchFolder::write(note, "theirs");
        session->diskChanged("theirs");
        return session;
    }
    [[nodiscard]] std::string onDisk() const { return ScratchFolder::read(note); }

    ScratchFolder folder;
    fs::path note = folder / "note.md";
    ManualScheduler scheduler;
    Texts replaced;
};

TEST_F(EditSessionTest, OpensOnlyStrictUTF8AndSavesInTheFilesFormat) {
    ScratchFolder::write(note, "caf\xE9");
    const auto latin1 =
        std::get<std::error_code>(EditSession::open(markdown::URL::fileURL(note), scheduler));
    EXPECT_EQ(latin1, FileText::ReadError::notUTF8);
    EXPECT_EQ(latin1.message(),
              "This file isn\u2019t plain UTF-8 text, so Lumenleaf won\u2019t edit it (saving "
              "could change it).");

    auto session = open("\xEF\xBB\xBF"
                        "a\r\nb\r\n");
    EXPECT_EQ(*session->text, "a\r\nb\r\n");
    EXPECT_EQ(session->format().lineEnding, LineEnding::crlf);
    // The mark stays; LF typed into a CR LF file is written as typed.
    session->textDidChange("a\r\nb\r\nc\nd\n");
    EXPECT_TRUE(session->save());
    EXPECT_EQ(onDisk(), "\xEF\xBB\xBF"
                        "a\r\nb\r\nc\nd\n");
}

TEST_F(EditSessionTest, AutosavesOnceAfterTheLastChange) {
    auto session = open("a");
    const ino_t before = ScratchFolder::status(note).st_ino;
    session->textDidChange("ab");
    scheduler.advance(500ms);
    session->textDidChange("abc");
    scheduler.advance(899ms);
    EXPECT_EQ(onDisk(), "a");
    EXPECT_TRUE(session->isDirty());

    scheduler.advance(1ms);
    EXPECT_EQ(onDisk(), "abc");
    EXPECT_NE(ScratchFolder::status(note).st_ino, before);
    EXPECT_FALSE(session->isDirty());
    EXPECT_TRUE(session->save()); // nothing to write is no failure
}

TEST_F(EditSessionTest, ReloadsSilentlyWithoutUnsavedEditsAndIgnoresTheEchoOfItsOwnSave) {
    auto session = open("a");
    Texts seen;
    session->text.connect([&] { seen.push_back(*session->text); });
    ScratchFolder::write(note, "theirs");
    session->diskChanged("theirs");
    EXPECT_EQ(*session->savedText, "theirs");

    session->textDidChange("caf\xC3\xA9");
    ASSERT_TRUE(session->save());
    session->textDidChange("caf\xC3\xA9, more"); // unsaved edits: a real change would conflict
    session->conflict.connect([&] { seen.push_back("conflict"); });
    session->diskChanged(onDisk());
    session->diskChanged("cafe\xCC\x81"); // the same text, decomposed
    EXPECT_EQ(seen, (Texts{"theirs", "caf\xC3\xA9", "caf\xC3\xA9, more"}));
    EXPECT_EQ(replaced, Texts{"theirs"});
}

TEST_F(EditSessionTest, AConflictBlocksSavingAndKeepMineOverwritesTheirTextAfterTheDelay) {
    auto session = openInConflict();
    EXPECT_EQ(*session->conflict, Conflict(EditSession::ChangedOnDisk{"theirs"}));
    scheduler.advance(5s);
    EXPECT_EQ(onDisk(), "theirs");
    EXPECT_FALSE(session->save());
    EXPECT_EQ(*session->lastError, std::nullopt);

    session->keepMine();
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_TRUE(session->isDirty());
    scheduler.advance(900ms);
    EXPECT_EQ(onDisk(), "mine");
    // A late report of their text must not bring it back over the user's saved one.
    session->diskChanged("theirs");
    EXPECT_EQ(*session->text, "mine");
    EXPECT_TRUE(replaced.empty());
}

TEST_F(EditSessionTest, LoadTheirsCanBeUndoneAndTheUndoIsSaved) {
    auto session = openInConflict();
    session->loadTheirs();
    EXPECT_EQ(*session->savedText, "theirs");
    EXPECT_EQ(*session->conflict, Conflict(EditSession::LoadedTheirs{"mine"}));

    session->undoLoadTheirs();
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(replaced, (Texts{"theirs", "mine"}));
    scheduler.advance(900ms);
    EXPECT_EQ(onDisk(), "mine");

    // Typing ends the offer to undo.
    session->textDidChange("typed");
    session->diskChanged("theirs 2");
    session->loadTheirs();
    session->textDidChange("typed again");
    EXPECT_EQ(*session->conflict, std::nullopt);
}

// Mended: with no report from a watcher, the autosave used to write over whatever another
// program had put in the file.
TEST_F(EditSessionTest, ASaveNeverWritesOverBytesItHasNotSeen) {
    const struct {
        const char* what;
        std::function<void()> otherProgram;
        std::optional<Conflict> conflict; // none: the save goes ahead
        std::string onDisk;
    } cases[] = {
        {"a new file renamed over it",
         [&] {
             ScratchFolder::write(folder / "new", "theirs");
             fs::rename(folder / "new", note);
         },
         EditSession::ChangedOnDisk{"theirs"}, "theirs"},
        // Same size and inode, and likely the same clock tick as the session's read.
        {"rewritten in place", [&] { ScratchFolder::write(note, "BASE"); },
         EditSession::ChangedOnDisk{"BASE"}, "BASE"},
        {"bytes that are not UTF-8", [&] { ScratchFolder::write(note, "Caf\xE9"); },
         EditSession::NotUTF8OnDisk{"Caf\uFFFD", {}}, "Caf\xE9"},
        {"only touched", [&] { ::utimensat(AT_FDCWD, note.c_str(), nullptr, 0); }, std::nullopt,
         "mine"},
        {"removed", [&] { fs::remove(note); }, std::nullopt, "mine"},
    };
    // Which conflict, if any: the stamp in one is not known in advance.
    auto kind = [](const auto& conflict) {
        return conflict ? conflict->index() : std::variant_npos;
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        auto session = edited();
        test.otherProgram();
        EXPECT_EQ(session->save(), !test.conflict);
        EXPECT_EQ(*session->lastError, std::nullopt);
        EXPECT_EQ(kind(*session->conflict), kind(test.conflict));
        EXPECT_TRUE(replaced.empty());
        scheduler.advance(5s);
        EXPECT_EQ(onDisk(), test.onDisk);
    }
}

// Mended: a file turned into bytes that are not UTF-8 was skipped, and the next autosave
// replaced it without a word.
TEST_F(EditSessionTest, BytesThatAreNotUTF8UnderUnsavedEditsWaitForTheUsersChoice) {
    auto session = edited();
    ScratchFolder::write(note, "Caf\xE9");
    const FileStamp stamp = std::get<StampedFile>(readStampedFile(note)).stamp;
    session->diskChangedToNotUTF8("Caf\xE9", stamp);
    session->loadTheirs(); // nothing to load
    scheduler.advance(5s);
    EXPECT_EQ(onDisk(), "Caf\xE9");
    EXPECT_EQ(*session->text, "mine");

    session->keepMine();
    session->diskChangedToNotUTF8("Caf\xE9", stamp); // a late report of the same bytes
    EXPECT_FALSE(session->hasDiskConflict());
    scheduler.advance(900ms);
    EXPECT_EQ(onDisk(), "mine");
}

TEST_F(EditSessionTest, AFailedSaveReportsWhyAndAGoodOneClearsIt) {
    note = folder / "sub" / "Plan.md";
    auto session = edited();
    fs::remove_all(folder / "sub");
    EXPECT_FALSE(session->save());
    EXPECT_EQ(*session->lastError,
              "Couldn\u2019t save \u201cPlan.md\u201d. No such file or directory");
    EXPECT_FALSE(fs::exists(folder / "sub")); // the write makes no folder of its own

    fs::create_directory(folder / "sub");
    EXPECT_TRUE(session->save());
    EXPECT_EQ(*session->lastError, std::nullopt);

    ::chmod(note.c_str(), 0444);
    session->textDidChange("more");
    scheduler.advance(900ms);
    EXPECT_EQ(*session->lastError, "Couldn\u2019t save \u201cPlan.md\u201d. Permission denied");
    EXPECT_EQ(onDisk(), "mine");
    EXPECT_TRUE(session->isDirty());

    // The file cannot be read for the check: the save fails as a write would.
    fs::remove(note);
    fs::create_directory(note);
    EXPECT_FALSE(session->save());
    EXPECT_EQ(*session->lastError, "Couldn\u2019t save \u201cPlan.md\u201d. Is a directory");
    EXPECT_TRUE(fs::is_empty(note));
}

} // namespace
} // namespace notes
