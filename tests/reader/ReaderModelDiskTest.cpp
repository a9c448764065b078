#include "ModelHarness.hpp"

#include "tests/notes/ScratchFolder.hpp"

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

struct DiskTest : ::testing::Test {
    DiskTest() {
        ScratchFolder::write(folder / "README.md", "readme");
        ScratchFolder::write(folder / "Other.md", "other");
        harness.background.hold = true;
    }
    URL note(const char* name) const { return URL::fileURL(folder / name); }
    URL root() const { return URL::fileURL(folder.path()); }
    FolderChange change(const char* name, FolderChange::Flags flags) const {
        return {(folder / name).native(), flags};
    }
    // Opens the folder and lets its first scan finish.
    void openFolder() {
        model.openFolder(root(), std::nullopt);
        harness.background.finish(0);
        harness.scheduler.runPosted();
    }

    ScratchFolder folder;
    ModelHarness harness;
    ReaderModel& model = *harness.model;
};

TEST_F(DiskTest, AQuickRunOfStructuralBatchesScansOnceAfterTheLast) {
    openFolder();
    for (int batch = 0; batch < 3; ++batch) {
        model.handleFolderChanges(
            std::vector{change("New.md", FolderChange::itemCreated | FolderChange::itemIsFile)});
        harness.scheduler.advance(100ms);
    }
    harness.scheduler.advance(199ms);
    EXPECT_TRUE(harness.background.jobs.empty());
    harness.scheduler.advance(1ms);
    EXPECT_EQ(harness.background.jobs.size(), 1u);
    EXPECT_TRUE(*model.isScanning);

    ScratchFolder::write(folder / "New.md", "new");
    harness.background.finish(0);
    harness.scheduler.runPosted();
    EXPECT_FALSE(*model.isScanning);
    EXPECT_EQ(model.markdownFiles->size(), 3u);
}

TEST_F(DiskTest, OnlyStructuralChangesOfAnOpenFolderScanAgain) {
    openFolder();
    model.handleFolderChanges(std::vector{
        change("Other.md", FolderChange::itemModified | FolderChange::itemMetadataModified)});
    EXPECT_EQ(harness.scheduler.pendingCount(), 0u);
    EXPECT_EQ(harness.renders.size(), 1u);

    model.openFile(note("Other.md"));
    model.handleFolderChanges(std::vector{change("x.md", FolderChange::itemRemoved)});
    EXPECT_EQ(harness.scheduler.pendingCount(), 0u);
}

TEST_F(DiskTest, AChangedOpenNoteRendersOnceAndAnotherNoteMadeBesideItScansOnce) {
    openFolder();
    ASSERT_EQ(*model.file, note("README.md"));
    model.handleFolderChanges(std::vector{change("README.md", FolderChange::itemModified)});
    EXPECT_EQ(harness.renders.size(), 1u); // same text: nothing new

    ScratchFolder::write(folder / "README.md", "edited elsewhere");
    model.handleFolderChanges(std::vector{change("README.md", FolderChange::itemModified),
                                          change("New.md", FolderChange::itemCreated),
                                          change("README.md", FolderChange::itemModified)});
    EXPECT_EQ(harness.renders.size(), 2u);
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("edited elsewhere"));
    EXPECT_EQ(harness.scheduler.pendingCount(), 1u);
}

TEST_F(DiskTest, RecognisesTheOpenNoteThroughASymbolicLink) {
    ScratchFolder links;
    fs::create_directory_symlink(folder.path(), links / "notes");
    model.openFile(URL::fileURL(links / "notes" / "README.md"));
    ASSERT_EQ(harness.renders.size(), 1u);

    ScratchFolder::write(folder / "README.md", "changed");
    model.handleFolderChanges(std::vector{change("README.md", FolderChange::itemModified)});
    EXPECT_EQ(harness.renders.size(), 2u);
}

TEST_F(DiskTest, WhileEditingOnlyStrictUTF8ReachesTheSession) {
    model.openFile(note("README.md"));
    auto session = std::get<std::shared_ptr<notes::EditSession>>(
        notes::EditSession::open(note("README.md"), harness.scheduler));
    model.editSession.set(session);
    model.mode.set(ReaderModel::Mode::edit);

    ScratchFolder::write(folder / "README.md", "caf\xE9");
    model.handleFolderChanges(std::vector{change("README.md", FolderChange::itemModified)});
    EXPECT_EQ(*session->text, "readme");

    ScratchFolder::write(folder / "README.md", "from elsewhere");
    model.handleFolderChanges(std::vector{change("README.md", FolderChange::itemModified)});
    EXPECT_EQ(*session->text, "from elsewhere");
    EXPECT_EQ(harness.renders.size(), 1u); // the page waits for the end of editing
}

TEST_F(DiskTest, WithoutAFolderRescanDoesNothing) {
    bool called = false;
    model.rescan([&] { called = true; });
    EXPECT_TRUE(harness.background.jobs.empty());
    EXPECT_FALSE(*model.isScanning);
    EXPECT_FALSE(called);
}

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

// Mended: overlapping scans used to be installed in the order they finished.
TEST_F(DiskTest, AnOlderScanFinishingLastDoesNotBringBackAStaleTree) {
    model.openFolder(root(), std::nullopt);
    ScratchFolder::write(folder / "New.md", "new");
    model.handleFolderChanges(std::vector{change("New.md", FolderChange::itemCreated)});
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
    auto session = std::get<std::shared_ptr<notes::EditSession>>(
        notes::EditSession::open(note("README.md"), harness.scheduler));
    model.editSession.set(session);
    model.mode.set(ReaderModel::Mode::edit);

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

TEST_F(DiskTest, ADelayedRescanOfAClosedWindowDoesNothing) {
    openFolder();
    model.handleFolderChanges(std::vector{change("New.md", FolderChange::itemCreated)});
    harness.model.reset();
    harness.scheduler.advance(1s);
    EXPECT_TRUE(harness.background.jobs.empty());
}

} // namespace
} // namespace reader
