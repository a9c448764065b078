#include "ModelHarness.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using notes::FolderChange;
using notes::ScratchFolder;
using namespace std::chrono_literals;

struct DiskTest : ModelTest {
    DiskTest() {
        write("README.md", "readme");
        write("Other.md", "other");
        harness.background.hold = true;
    }
    void changed(const std::vector<std::pair<const char*, FolderChange::Flags>>& changes) {
        std::vector<FolderChange> batch;
        for (const auto& [name, flags] : changes)
            batch.push_back({(folder / name).native(), flags});
        model.handleFolderChanges(batch);
    }
    // Opens the folder and lets its first scan finish.
    void openFolder() {
        model.openFolder(root(), std::nullopt);
        harness.background.finish(0);
        harness.scheduler.runPosted();
    }
    void startEditing() {
        model.editSession.set(std::get<std::shared_ptr<notes::EditSession>>(
            notes::EditSession::open(note("README.md"), harness.scheduler)));
        model.mode.set(ReaderModel::Mode::edit);
    }
};

TEST_F(DiskTest, AQuickRunOfStructuralBatchesScansOnceAfterTheLast) {
    openFolder();
    for (int batch = 0; batch < 3; ++batch) {
        changed({{"New.md", FolderChange::itemCreated | FolderChange::itemIsFile}});
        harness.scheduler.advance(100ms);
    }
    harness.scheduler.advance(199ms);
    EXPECT_TRUE(harness.background.jobs.empty());
    harness.scheduler.advance(1ms);
    EXPECT_EQ(harness.background.jobs.size(), 1u);
    EXPECT_TRUE(*model.isScanning);

    write("New.md", "new");
    harness.background.finish(0);
    harness.scheduler.runPosted();
    EXPECT_FALSE(*model.isScanning);
    EXPECT_EQ(model.markdownFiles->size(), 3u);
}

TEST_F(DiskTest, AChangedOpenNoteRendersOnceAndOnlyStructuralChangesScanAgain) {
    openFolder();
    changed({{"Other.md", FolderChange::itemModified | FolderChange::itemMetadataModified},
             {"README.md", FolderChange::itemModified}});
    EXPECT_EQ(harness.scheduler.pendingCount(), 0u);
    EXPECT_EQ(harness.renders.size(), 1u); // same text: nothing new

    write("README.md", "edited elsewhere");
    changed({{"README.md", FolderChange::itemModified},
             {"New.md", FolderChange::itemCreated},
             {"README.md", FolderChange::itemModified}});
    EXPECT_EQ(harness.renders.size(), 2u);
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("edited elsewhere"));
    EXPECT_EQ(harness.scheduler.pendingCount(), 1u);

    ModelHarness single; // a single note has no folder to scan
    single.model->openFile(note("Other.md"));
    single.model->handleFolderChanges(
        std::vector{FolderChange{(folder / "x.md").native(), FolderChange::itemRemoved}});
    EXPECT_EQ(single.scheduler.pendingCount(), 0u);
}

TEST_F(DiskTest, RecognisesTheOpenNoteThroughASymbolicLink) {
    ScratchFolder links;
    fs::create_directory_symlink(folder.path(), links / "notes");
    model.openFile(URL::fileURL(links / "notes" / "README.md"));
    ASSERT_EQ(harness.renders.size(), 1u);
    write("README.md", "changed");
    changed({{"README.md", FolderChange::itemModified}});
    EXPECT_EQ(harness.renders.size(), 2u);
}

TEST_F(DiskTest, WhileEditingOnlyStrictUTF8ReachesTheSession) {
    model.openFile(note("README.md"));
    startEditing();
    write("README.md", "caf\xE9");
    changed({{"README.md", FolderChange::itemModified}});
    EXPECT_EQ(*model.editSession.get()->text, "readme");

    write("README.md", "from elsewhere");
    changed({{"README.md", FolderChange::itemModified}});
    EXPECT_EQ(*model.editSession.get()->text, "from elsewhere");
    EXPECT_EQ(harness.renders.size(), 1u); // the page waits for the end of editing
}

TEST_F(DiskTest, RescanWithoutAFolderOrAfterTheWindowClosedDoesNothing) {
    bool called = false;
    model.rescan([&] { called = true; });
    EXPECT_FALSE(*model.isScanning);
    EXPECT_FALSE(called);

    openFolder();
    changed({{"New.md", FolderChange::itemCreated}});
    harness.model.reset();
    harness.scheduler.advance(1s);
    EXPECT_TRUE(harness.background.jobs.empty());
}

// Mended: overlapping scans used to be installed in the order they finished.
TEST_F(DiskTest, OnlyTheLastOpenedFolderInstallsItsScanAndFirstNote) {
    ScratchFolder second;
    ScratchFolder::write(second / "Index.md", "index");
    model.openFolder(root(), std::nullopt);
    model.openFolder(URL::fileURL(second.path()), std::nullopt);

    harness.background.finish(1);
    harness.scheduler.runPosted();
    harness.background.finish(0);
    harness.scheduler.runPosted();

    EXPECT_EQ(*model.folder, URL::fileURL(second.path()));
    EXPECT_EQ(*model.file, URL::fileURL(second / "Index.md"));
    EXPECT_EQ(*model.markdownFiles, std::vector{URL::fileURL(second / "Index.md")});
    EXPECT_FALSE(*model.isScanning);
    EXPECT_EQ(harness.renders.size(), 1u);
}

TEST_F(DiskTest, AnOlderScanFinishingLastDoesNotBringBackAStaleTree) {
    model.openFolder(root(), std::nullopt);
    write("New.md", "new");
    changed({{"New.md", FolderChange::itemCreated}});
    harness.scheduler.advance(model.rescanDelay);
    ASSERT_EQ(harness.background.jobs.size(), 2u);

    harness.background.finish(1);
    harness.scheduler.runPosted();
    EXPECT_EQ(model.markdownFiles->size(), 3u);
    EXPECT_EQ(*model.file, note("README.md")); // the first scan's completion was kept

    // The first scan read the folder before New.md was made, and is slow to finish.
    fs::rename(folder / "New.md", folder / ".moved");
    harness.background.finish(0);
    fs::rename(folder / ".moved", folder / "New.md");
    auto tree = countNotifications(model.tree);
    harness.scheduler.runPosted();

    EXPECT_EQ(*tree, 0);
    EXPECT_EQ(model.markdownFiles->size(), 3u);
    EXPECT_FALSE(*model.isScanning);
    EXPECT_EQ(harness.renders.size(), 1u);
}

// Mended: the session of the note being edited used to keep autosaving after the window
// had moved to another folder, where no watcher sees the note any more.
TEST_F(DiskTest, SwitchingFoldersWhileEditingSavesAndEndsTheSessionOrRefuses) {
    ScratchFolder second;
    ScratchFolder::write(second / "Index.md", "index");
    harness.background.hold = false;
    model.openFolder(root(), std::nullopt);
    harness.scheduler.runPosted();
    startEditing();
    auto session = model.editSession.get();

    session->textDidChange("mine");
    session->diskChanged("theirs");
    model.openFolder(URL::fileURL(second.path()), std::nullopt);
    model.openFile(URL::fileURL(second / "Index.md"));
    EXPECT_EQ(harness.desktop.beeps, 2);
    EXPECT_EQ(*model.folder, root());
    EXPECT_EQ(*model.editSession, session);

    session->keepMine();
    model.openFolder(URL::fileURL(second.path()), std::nullopt);
    harness.scheduler.runPosted();
    EXPECT_EQ(ScratchFolder::read(folder / "README.md"), "mine");
    EXPECT_EQ(*model.editSession, nullptr);
    EXPECT_EQ(*model.mode, ReaderModel::Mode::read);
    EXPECT_EQ(*model.file, URL::fileURL(second / "Index.md"));

    // Nothing of the old session is left to write later.
    harness.scheduler.advance(notes::EditSession::defaultAutosaveDelay * 2);
    EXPECT_EQ(ScratchFolder::read(folder / "README.md"), "mine");
}

// Mended: opening a single note while a folder scan ran left the window scanning for good.
TEST_F(DiskTest, ASingleNoteOpenedDuringAScanEndsTheScanningState) {
    model.openFolder(root(), std::nullopt);
    EXPECT_TRUE(*model.isScanning);
    model.openFile(note("Other.md"));
    harness.background.finish(0);
    harness.scheduler.runPosted();
    EXPECT_FALSE(*model.isScanning);
    EXPECT_EQ(*model.file, note("Other.md"));
    EXPECT_TRUE(model.tree->empty());
}

} // namespace
} // namespace reader
