// The watcher and the rescan it triggers while another program creates, renames and removes
// 10,000 files in bursts: once things are quiet, the tree the window holds is the tree a fresh
// scan finds.
#include "notes/runtime/MainLoopScheduler.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "notes/watch/FolderWatcher.hpp"

#include "tests/notes/RunMainLoop.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;

namespace notes {

using testing::runUntil;
namespace {

namespace fs = std::filesystem;
using markdown::URL;

constexpr int bursts = 20;
constexpr int filesPerBurst = 500;

// Another program's busy afternoon: every burst adds files to a new folder and to an old one,
// renames some (within and across folders, a whole folder too), removes some, and writes into a
// folder at once after making it.
void churn(const fs::path& root, std::atomic<bool>& done) {
    for (int burst = 0; burst < bursts; ++burst) {
        const fs::path fresh = root / ("burst " + std::to_string(burst));
        const fs::path old = root / ("burst " + std::to_string(burst / 2));
        auto name = [&](int i) {
            return "n" + std::to_string(burst) + "-" + std::to_string(i) + (i % 7 ? ".md" : ".png");
        };
        fs::create_directories(fresh);
        for (int i = 0; i < filesPerBurst; ++i)
            ScratchFolder::write((i % 5 == 0 ? old : fresh) / name(i), "# x\n");
        for (int i = 1; i < filesPerBurst; i += 5) {
            std::error_code ignored;
            if (i % 3 == 0)
                fs::remove(fresh / name(i), ignored);
            else
                fs::rename(fresh / name(i), (i % 2 ? old : fresh) / ("renamed " + name(i)),
                           ignored);
        }
        if (burst % 4 == 3)
            fs::rename(fresh, root / ("moved " + std::to_string(burst)));
        std::this_thread::sleep_for(10ms);
    }
    const fs::path last = root / "last";
    fs::create_directories(last);
    for (int i = 0; i < 50; ++i)
        ScratchFolder::write(last / ("late " + std::to_string(i) + ".md"), "# late\n");
    // Once a rescan has followed all that, changes deep inside only: unless the watcher reports
    // them, from the new folder too, the window's tree stays behind.
    std::this_thread::sleep_for(600ms);
    for (const fs::path& folder : {root / "burst 2", last}) {
        auto final = [&](int i) { return folder / ("final " + std::to_string(i) + ".md"); };
        for (int i = 0; i < 20; ++i)
            ScratchFolder::write(final(i), "# final\n");
        for (int i = 0; i < 10; ++i)
            fs::rename(final(i), folder / ("final renamed " + std::to_string(i) + ".md"));
        for (int i = 10; i < 15; ++i)
            fs::remove(final(i));
    }
    done = true;
}

TEST(FolderWatcherChurn, TheTreeAfterTheLastRescanEqualsAFreshScan) {
    ScratchFolder folder;
    folder.file("first.md");
    const URL root = URL::fileURL(folder.path());
    MainLoopScheduler scheduler;
    FolderSnapshot installed = FolderSnapshot::scan(root);
    // A scan that also entered "." would meet the note many times, and then churn for minutes.
    ASSERT_EQ(installed.markdownFiles.size(), 1u);

    std::atomic<bool> done = false;
    // The churn's very last change. Events come in order, so once it is reported every earlier
    // one has been too, and the rescan that batch restarts finds the finished tree. Events lost
    // once the churn is done call for a rescan that finds it as well.
    const std::string lastChange = (folder / "last/final 14.md").native();
    bool lastChangeReported = false;

    // As the window does: every structural batch restarts a 0.3 s wait for one rescan.
    std::optional<Scheduler::TaskId> pendingRescan;
    auto lastBatch = std::chrono::steady_clock::now();
    FolderWatcher watcher(folder.path().native(), [&](std::span<const FolderChange> batch) {
        lastBatch = std::chrono::steady_clock::now();
        bool structural = false;
        for (const FolderChange& change : batch) {
            structural |= (change.flags & FolderChange::structuralChangeMask) != 0;
            lastChangeReported |=
                (change.path == lastChange && (change.flags & FolderChange::itemRemoved)) ||
                (done && (change.flags & FolderChange::mustScanSubdirectories));
        }
        if (!structural)
            return;
        if (pendingRescan)
            scheduler.cancel(*pendingRescan);
        pendingRescan = scheduler.runAfter(300ms, [&] {
            pendingRescan.reset();
            installed = FolderSnapshot::scan(root);
        });
    });

    std::jthread other([&] { churn(folder.path(), done); });
    ASSERT_TRUE(runUntil([&] { return done.load(); }, 30s));
    other.join();
    // Quiet from here on, yet on a loaded machine the last events may still wait unread while
    // a rescan holds the main loop: how long ago the last batch came says nothing about them.
    // Settled once the last change is reported, the rescan it asks for has run and nothing else
    // follows.
    auto settled = [&] {
        return lastChangeReported && !pendingRescan &&
               std::chrono::steady_clock::now() - lastBatch > FolderWatcher::latency * 4;
    };
    ASSERT_TRUE(runUntil(settled, 30s)) << "last change reported: " << lastChangeReported;

    const FolderSnapshot fresh = FolderSnapshot::scan(root);
    EXPECT_TRUE(installed.tree == fresh.tree);
    EXPECT_TRUE(installed.markdownFiles == fresh.markdownFiles);
    EXPECT_GT(fresh.markdownFiles.size(), std::size_t{5'000});
}

} // namespace
} // namespace notes
