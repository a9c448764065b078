#include "ModelHarness.hpp"

#include "tests/notes/RunMainLoop.hpp"
#include "tests/notes/WatchLimit.hpp"

#include <algorithm>

namespace reader {
namespace {

using markdown::URL;
using notes::FolderChange;
using notes::ScratchFolder;
using namespace std::chrono_literals;

struct DiskTest : ModelTest {
    DiskTest() {
        write("README.md", "readme");
        write("Other.md", "other");
        background.hold = true;
        ScratchFolder::write(second / "Index.md", "index");
    }

    ScratchFolder second;
    const URL secondFolder = URL::fileURL(second.path());
    const URL secondIndex = URL::fileURL(second / "Index.md");
};

TEST_F(DiskTest, AChangedOpenNoteRendersOnceAndStructuralBatchesScanOnceAfterTheLast) {
    model.openFolder(root(), std::nullopt);
    finish(); // the scan
    finish(); // the start note's rendering
    changed({{"Other.md", FolderChange::itemModified | FolderChange::itemMetadataModified},
             {"README.md", FolderChange::itemModified}});
    // Same text: nothing to render.
    EXPECT_EQ(std::tuple(scheduler.pendingCount(), background.jobs.size()), std::tuple(0u, 0u));

    write("README.md", "edited elsewhere");
    changed({{"README.md", FolderChange::itemModified},
             {"New.md", FolderChange::itemCreated},
             {"README.md", FolderChange::itemModified}});
    finish();
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("edited elsewhere"));
    for (int batch = 0; batch < 2; ++batch) {
        scheduler.advance(100ms);
        changed({{"New.md", FolderChange::itemCreated | FolderChange::itemIsFile}});
    }
    scheduler.advance(model.rescanDelay - 1ms);
    EXPECT_TRUE(background.jobs.empty());
    scheduler.advance(1ms);
    EXPECT_EQ(background.jobs.size(), 1u);
}

// The notice of the watch limit joins a notice already shown, once.
TEST_F(DiskTest, TheWatchLimitNoticeKeepsTheNoticeShown) {
    model.notice.set("Earlier.");
    for (int batch = 0; batch < 2; ++batch)
        changed({{"", FolderChange::mustScanSubdirectories | FolderChange::watchLimitReached}});
    EXPECT_EQ(*model.notice, "Earlier.\n" + std::string(ReaderModel::watchLimitNotice));
}

// Mended: a folder beyond the limit of watches went stale for good, and nothing said why.
TEST_F(DiskTest, FoldersBeyondTheLimitOfWatchesAreFollowedAndTheWindowSaysWhy) {
    write("d0/note.md", "d0");
    write("d1/note.md", "d1");
    const int status = notes::testing::withWatchLimit(1, [&] {
        // The watcher's own batches, and the scans and renderings they start, until `done`.
        auto follow = [&](const std::function<bool()>& done) {
            return notes::testing::runUntil(
                [&] {
                    scheduler.advance(ReaderModel::rescanDelay);
                    while (!background.jobs.empty())
                        finish();
                    return done();
                },
                5s);
        };
        model.openFolder(root(), std::nullopt);
        if (!follow([&] { return model.notice.get() == ReaderModel::watchLimitNotice; }))
            return 1;
        write("d0/late.md", "late");
        if (!follow([&] { return std::ranges::count(*model.markdownFiles, note("d0/late.md")); }))
            return 2;
        model.open(note("d1/note.md"));
        write("d1/note.md", "changed");
        if (!follow([&] { return model.page.get()->bodyHTML == paragraph("changed"); }))
            return 3;
        return 0;
    });
    if (status == notes::testing::cannotLowerTheLimit)
        GTEST_SKIP() << "user namespaces are not allowed here, so the limit cannot be lowered";
    EXPECT_EQ(status, 0) << "within 5 s, 1: no notice, 2: the new note not listed, 3: the open "
                            "note's change not shown";
}

// Mended: overlapping scans used to be installed in the order they finished, and a single note
// opened while a scan ran left the window scanning for good.
TEST_F(DiskTest, OnlyTheLastOpeningInstallsItsScanAndFirstNoteAndNoneWhileEditsCannotBeSaved) {
    model.openFolder(root(), std::nullopt);
    model.openFolder(secondFolder, std::nullopt);
    finish(1);
    finish(0);
    finish(0); // the rendering of the second folder's start note
    EXPECT_EQ(std::tuple(*model.folder, *model.file, *model.markdownFiles, *model.isScanning,
                         renders.size()),
              std::tuple(secondFolder, secondIndex, std::vector{secondIndex}, false, 1u));

    model.openFolder(root(), std::nullopt);
    EXPECT_TRUE(*model.isScanning);
    model.openFile(note("Other.md"));
    finish();
    EXPECT_EQ(std::tuple(*model.isScanning, *model.file, model.tree->size()),
              std::tuple(false, note("Other.md"), 0u));

    // Switching folders while editing saves and ends the session, or refuses.
    background.hold = false;
    model.openFolder(root(), std::nullopt);
    settle();
    model.beginEditSession(1);
    auto session = model.editSession.get();
    session->textDidChange("mine");
    write("README.md", "theirs");
    session->diskChanged("theirs");
    model.openFolder(secondFolder, std::nullopt);
    model.openFile(secondIndex);
    EXPECT_EQ(std::tuple(desktop.beeps, *model.folder, *model.editSession),
              std::tuple(2, root(), session));

    session->keepMine();
    model.openFolder(secondFolder, std::nullopt);
    settle();
    EXPECT_EQ(std::tuple(reading(), *model.file), std::tuple(true, secondIndex));
    // Saved once, and nothing of the old session is left to write later.
    scheduler.advance(notes::EditSession::defaultAutosaveDelay * 2);
    EXPECT_EQ(ScratchFolder::read(folder / "README.md"), "mine");
}

} // namespace
} // namespace reader
