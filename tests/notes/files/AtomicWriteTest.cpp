#include "notes/files/AtomicWrite.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <tuple>
#include <utility>
#include <vector>

namespace notes {
namespace {

namespace fs = std::filesystem;

// Each file flushed, with what it and the note held at that moment.
fs::path watchedNote;
std::vector<std::pair<std::string, std::string>> flushedFiles;

int recordingSync(int fd) {
    if (fs::path file = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
        fs::is_regular_file(file))
        flushedFiles.emplace_back(ScratchFolder::read(file), ScratchFolder::read(watchedNote));
    return ::fsync(fd);
}

class AtomicWrite : public ::testing::Test {
protected:
    ScratchFolder folder;
    const fs::path note = folder / "note.md";
};

// Through a chain of links, relative ones too, to the file they lead to.
TEST_F(AtomicWrite, ReplacesTheContentsAndKeepsOwnerAndPermissions) {
    const auto target = folder / "real" / "note.md";
    ScratchFolder::write(target, "old text, longer than the new one\n");
    // Only the super-user may give a file away.
    ASSERT_EQ(::geteuid() == 0 ? ::chown(target.c_str(), 1234, 5678) : 0, 0);
    ::chmod(target.c_str(), 02640);
    auto owner = [&] {
        const struct stat info = ScratchFolder::status(target);
        return std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777);
    };
    const auto before = owner();
    fs::create_symlink("real/note.md", folder / "link.md");
    fs::create_symlink(folder / "link.md", folder / "chain.md");

    watchedNote = target;
    flushedFiles.clear();
    EXPECT_FALSE(writeFileAtomically(folder / "chain.md", "new\n", recordingSync));
    EXPECT_EQ(ScratchFolder::read(target), "new\n");
    EXPECT_EQ(owner(), before);
    EXPECT_TRUE(fs::is_symlink(folder / "chain.md") && fs::is_symlink(folder / "link.md"));
    EXPECT_EQ(folder.listing(), "chain.md link.md real");
    // The new text reaches the disk before the rename can put it in place.
    const decltype(flushedFiles) beforeRename{{"new\n", "old text, longer than the new one\n"}};
    EXPECT_EQ(flushedFiles, beforeRename);
}

// Mended: files of saves interrupted by a kill stayed in the note's folder for good.
TEST_F(AtomicWrite, ASaveRemovesWhatInterruptedSavesLeftMinutesAgo) {
    const char* names[] = {".lumenleaf-save-0123456789abcdef", ".lumenleaf-save-fedcba9876543210",
                           ".lumenleaf-save-notes", ".lumenleaf-save-0123456789abcdef.md"};
    for (const char* name : names)
        ScratchFolder::write(folder / name, "left");
    const timespec tenMinutesAgo[] = {{::time(nullptr) - 600, 0}, {::time(nullptr) - 600, 0}};
    for (const char* name : {names[0], names[2], names[3]})
        ::utimensat(AT_FDCWD, (folder / name).c_str(), tenMinutesAgo, 0);

    EXPECT_FALSE(writeFileAtomically(note, "new\n"));
    // Only our own pattern, and not a save that may still be running.
    EXPECT_EQ(folder.listing(),
              ".lumenleaf-save-0123456789abcdef.md .lumenleaf-save-fedcba9876543210 "
              ".lumenleaf-save-notes note.md");
}

// A write that fails halfway (here: beyond the file size limit) leaves the old note whole and
// no temporary file; even the super-user, who could replace a read-only note, leaves it alone.
TEST_F(AtomicWrite, AFailedOrRefusedWriteLeavesEveryFileAsItWas) {
    ScratchFolder::write(note, "old");
    ScratchFolder::write(folder / "locked.md", "keep me");
    ::chmod((folder / "locked.md").c_str(), 0444);
    fs::create_directory(folder / "dir.md");
    fs::create_symlink("b.md", folder / "a.md");
    fs::create_symlink("a.md", folder / "b.md");

    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit small{16, previous.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto error = writeFileAtomically(note, std::string(1000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(writeFileAtomically(folder / "locked.md", "lost"), std::errc::permission_denied);
    EXPECT_EQ(writeFileAtomically(folder / "dir.md", "x"), std::errc::is_a_directory);
    EXPECT_EQ(writeFileAtomically(folder / "a.md", "x"), std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(ScratchFolder::read(note), "old");
    EXPECT_EQ(ScratchFolder::read(folder / "locked.md"), "keep me");
    EXPECT_EQ(folder.listing(), "a.md b.md dir.md locked.md note.md");
}

} // namespace
} // namespace notes
