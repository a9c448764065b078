// The edit session on a real main loop while another program rewrites the open note a thousand
// times: the user types, autosave writes, the watcher reports, and the user keeps their text
// whenever a conflict opens.
#include "notes/files/EditSession.hpp"
#include "notes/runtime/MainLoopScheduler.hpp"
#include "notes/watch/FolderWatcher.hpp"

#include "tests/notes/RunMainLoop.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>

using namespace std::chrono_literals;

namespace notes {

using testing::runFor;
using testing::runUntil;
namespace {

constexpr int rewrites = 1'000;

// What the other program writes: a whole note, different each time.
std::string theirText(int number) {
    return "# Their draft " + std::to_string(number) + "\n\n" + std::string(200, 'x') + "\n";
}

TEST(EditSessionChurn, DiskEndsWithOneWholeTextAndTypingIsNeverDroppedSilently) {
    ScratchFolder folder;
    const std::filesystem::path note = folder / "note.md";
    ScratchFolder::write(note, "# Start\n");
    MainLoopScheduler scheduler;
    auto session = std::get<std::shared_ptr<EditSession>>(
        EditSession::open(markdown::URL::fileURL(note), scheduler));
    session->setAutosaveDelay(15ms);

    // What the editor shows, and the last text the session wrote from it.
    std::string editor = *session->text;
    std::string lastSaved = editor;
    std::vector<std::string> silentlyDropped;
    session->savedText.connect([&] {
        if (*session->savedText == editor && *session->text == editor)
            lastSaved = editor;
    });
    session->onReplaceText = [&](const std::string& replacement) {
        // A reload may only replace text that reached the disk first.
        if (editor != lastSaved)
            silentlyDropped.push_back(editor);
        editor = replacement;
    };
    session->conflict.connect([&] {
        if (*session->conflict &&
            std::holds_alternative<EditSession::ChangedOnDisk>(**session->conflict))
            scheduler.runAfter(2ms, [&] { session->keepMine(); });
    });

    // Every text either side may write: whatever the disk is seen holding must be one.
    std::set<std::string> written{editor};
    std::mutex writtenLock;
    auto wrote = [&](const std::string& text) {
        std::lock_guard guard(writtenLock);
        written.insert(text);
    };
    std::vector<std::string> mixed;
    // Both sides replace the note whole, so it is never missing and always plain ASCII.
    FolderWatcher watcher(folder.path().native(), [&](std::span<const FolderChange> batch) {
        if (std::ranges::none_of(
                batch, [&](const FolderChange& change) { return change.path == note.native(); }))
            return;
        const std::string disk = ScratchFolder::read(note);
        if (std::lock_guard guard(writtenLock); !written.contains(disk))
            mixed.push_back(disk);
        session->diskChanged(disk);
    });

    std::atomic<bool> theyAreDone = false;
    std::jthread other([&] {
        for (int number = 1; number <= rewrites; ++number) {
            wrote(theirText(number));
            // As most editors save: a whole new file renamed over the note.
            ScratchFolder::write(folder / ".note.md.theirs", theirText(number));
            std::filesystem::rename(folder / ".note.md.theirs", note);
            std::this_thread::sleep_for(number % 100 == 0 ? 20ms : 200us);
        }
        theyAreDone = true;
    });

    // The user types every millisecond or so until the other program stops.
    int keystrokes = 0;
    std::string lastTyped;
    std::function<void()> type = [&] {
        // Retyping the title keeps the note small, so that each keystroke costs the same.
        lastTyped = "# Mine " + std::to_string(++keystrokes) + editor.substr(editor.find('\n'));
        wrote(lastTyped);
        editor = lastTyped;
        session->textDidChange(lastTyped);
        if (!theyAreDone)
            scheduler.runAfter(1ms, type);
    };
    scheduler.post(type);

    auto settled = [&] {
        return theyAreDone && !session->isDirty() && !*session->conflict &&
               ScratchFolder::read(note) == *session->savedText;
    };
    ASSERT_TRUE(runUntil(settled, 20s)) << "the session never settled";
    // Late reports of the last writes may still open a conflict that the user answers.
    runFor(400ms);
    ASSERT_TRUE(runUntil(settled, 5s));
    other.join();

    const std::string disk = ScratchFolder::read(note);
    EXPECT_TRUE(disk == lastTyped || disk == theirText(rewrites))
        << "the disk holds neither the user's last text nor the other program's";
    EXPECT_EQ(*session->text, editor);
    EXPECT_TRUE(mixed.empty()) << mixed.size() << " partial texts seen, first: " << mixed.front();
    EXPECT_TRUE(silentlyDropped.empty())
        << silentlyDropped.size() << " unsaved texts replaced without a conflict";
    EXPECT_GT(keystrokes, 100);
}

} // namespace
} // namespace notes
