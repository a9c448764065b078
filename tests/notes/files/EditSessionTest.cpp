#include "notes/files/EditSession.hpp"
#include "notes/runtime/ManualScheduler.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
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
        ScratchFolder::write(note, "theirs");
        session->diskChanged("theirs");
        return session;
    }
    [[nodiscard]] std::string onDisk() const { return ScratchFolder::read(note); }

    ScratchFolder folder;
    fs::path note = folder / "note.md";
    ManualScheduler scheduler;
    std::vector<std::string> replaced;
};

TEST_F(EditSessionTest, OpensOnlyStrictUTF8AndSavesInTheFilesFormat) {
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
    EXPECT_TRUE(session->format().hasBOM);
    EXPECT_EQ(session->format().lineEnding, LineEnding::crlf);

    // The mark stays; LF typed into a CR LF file is written as typed.
    session->textDidChange("a\r\nb\r\nc\nd\n");
    EXPECT_TRUE(session->save());
    EXPECT_EQ(onDisk(), "\xEF\xBB\xBF"
                        "a\r\nb\r\nc\nd\n");
    EXPECT_EQ(scheduler.pendingCount(), 0u);
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
    EXPECT_TRUE(session->save()); // nothing to write is no failure
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
}

TEST_F(EditSessionTest, KeepMineOverwritesTheirTextAfterTheDelay) {
    auto session = openInConflict();
    session->keepMine();
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(*session->savedText, "theirs");
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
    EXPECT_EQ(*session->text, "theirs");
    EXPECT_EQ(*session->savedText, "theirs");
    EXPECT_EQ(*session->conflict, Conflict(EditSession::LoadedTheirs{"mine"}));
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    session->undoLoadTheirs();
    EXPECT_EQ(*session->text, "mine");
    EXPECT_EQ(*session->conflict, std::nullopt);
    EXPECT_EQ(replaced, (std::vector<std::string>{"theirs", "mine"}));
    scheduler.advance(899ms);
    EXPECT_EQ(onDisk(), "theirs");
    scheduler.advance(1ms);
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
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> otherProgram;
        std::optional<Conflict> conflict; // none: the save goes ahead
        std::string onDisk;
    };
    const Case cases[] = {
        {"a new file renamed over it",
         [](const fs::path& note) {
             ScratchFolder::write(note.string() + ".tmp", "theirs");
             fs::rename(note.string() + ".tmp", note);
         },
         EditSession::ChangedOnDisk{"theirs"}, "theirs"},
        // Same size and inode, and likely the same clock tick as the session's read.
        {"rewritten in place", [](const fs::path& note) { ScratchFolder::write(note, "BASE"); },
         EditSession::ChangedOnDisk{"BASE"}, "BASE"},
        {"bytes that are not UTF-8",
         [](const fs::path& note) { ScratchFolder::write(note, "Caf\xE9"); },
         EditSession::NotUTF8OnDisk{"Caf\uFFFD", {}}, "Caf\xE9"},
        {"only touched",
         [](const fs::path& note) { ::utimensat(AT_FDCWD, note.c_str(), nullptr, 0); },
         std::nullopt, "mine"},
        {"removed", [](const fs::path& note) { fs::remove(note); }, std::nullopt, "mine"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        auto session = open("base");
        session->textDidChange("mine");
        test.otherProgram(note);
        EXPECT_EQ(session->save(), !test.conflict);
        EXPECT_EQ(onDisk(), test.onDisk);
        EXPECT_EQ(*session->lastError, std::nullopt);
        if (test.conflict) {
            ASSERT_TRUE(session->conflict->has_value());
            EXPECT_EQ((*session->conflict)->index(), test.conflict->index());
        }
        EXPECT_TRUE(replaced.empty());
        scheduler.advance(5s);
        EXPECT_EQ(onDisk(), test.onDisk);
    }

    // The file cannot be read for the check: the save fails as a write would.
    auto session = open("base");
    session->textDidChange("mine");
    fs::remove(note);
    fs::create_directory(note);
    EXPECT_FALSE(session->save());
    EXPECT_EQ(*session->lastError, "Couldn\u2019t save \u201cnote.md\u201d. Is a directory");
    EXPECT_TRUE(fs::is_empty(note));
}

// Mended: a file turned into bytes that are not UTF-8 was skipped, and the next autosave
// replaced it without a word.
TEST_F(EditSessionTest, BytesThatAreNotUTF8UnderUnsavedEditsWaitForTheUsersChoice) {
    auto session = open("base");
    session->textDidChange("mine");
    ScratchFolder::write(note, "Caf\xE9");
    auto read = readStampedFile(note);
    const FileStamp& stamp = std::get<StampedFile>(read).stamp;
    session->diskChangedToNotUTF8("Caf\xE9", stamp);
    EXPECT_TRUE(session->hasDiskConflict());
    session->loadTheirs(); // nothing to load
    scheduler.advance(5s);
    EXPECT_EQ(onDisk(), "Caf\xE9");
    EXPECT_EQ(*session->text, "mine");

    session->keepMine();
    EXPECT_FALSE(session->hasDiskConflict());
    session->diskChangedToNotUTF8("Caf\xE9", stamp); // a late report of the same bytes
    EXPECT_FALSE(session->hasDiskConflict());
    scheduler.advance(900ms);
    EXPECT_EQ(onDisk(), "mine");
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
    EXPECT_EQ(*session->savedText, "base");
    EXPECT_EQ(scheduler.pendingCount(), 0u); // no retry of its own

    fs::create_directory(folder / "sub");
    EXPECT_TRUE(session->save());
    EXPECT_EQ(*session->lastError, std::nullopt);
    EXPECT_EQ(onDisk(), "mine");

    ::chmod(note.c_str(), 0444);
    session->textDidChange("more");
    scheduler.advance(900ms);
    EXPECT_EQ(*session->lastError, "Couldn\u2019t save \u201cPlan.md\u201d. Permission denied");
    EXPECT_EQ(onDisk(), "mine");
    EXPECT_TRUE(session->isDirty());
}

} // namespace
} // namespace notes
