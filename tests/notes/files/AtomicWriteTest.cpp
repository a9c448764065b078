#include "notes/files/AtomicWrite.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <grp.h>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
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

// One who may write the note but is not in its group cannot give the new file that group: its
// bits would open the note to the writer's own group instead, so they are dropped.
TEST_F(AtomicWrite, AGroupThatCannotBeKeptGetsNoAccess) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the super-user can make a note of a group its writer is not in";
    constexpr uid_t nobody = 65534;
    constexpr gid_t foreign = 4321;
    ScratchFolder::write(note, "old");
    ASSERT_EQ(::chown(folder.path().c_str(), nobody, nobody), 0);
    ASSERT_EQ(::chown(note.c_str(), nobody, foreign), 0);
    ::chmod(note.c_str(), 0660);
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = {nobody};
        const bool saved = ::setgroups(1, groups) == 0 && ::setgid(nobody) == 0 &&
                           ::setuid(nobody) == 0 && !writeFileAtomically(note, "new\n");
        ::_exit(saved ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    const struct stat info = ScratchFolder::status(note);
    EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777),
              std::tuple(nobody, gid_t{nobody}, mode_t{0600}));
    EXPECT_EQ(ScratchFolder::read(note), "new\n");
}

// Mended: the temporary file was made with the usual mode for a new file and given the note's
// only once it held the whole note, so under umask 022 a private note was readable by everyone
// for the length of every save, and after a save killed midway.
TEST_F(AtomicWrite, NoByteOfTheNoteIsInAFileMoreOpenThanTheNote) {
    const mode_t previousMask = ::umask(022);
    const std::string text(256 * 1024, 'p');
    const struct {
        const char* what;
        std::optional<mode_t> mode; // none: a new note each time
        mode_t expected;
    } cases[] = {{"private", 0600, 0600},
                 {"shared with its group", 0640, 0640},
                 {"new", std::nullopt, 0644}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        ScratchFolder::write(note, "old");
        if (each.mode)
            ::chmod(note.c_str(), *each.mode);
        // Every temporary file met while saves run, with its mode and size at that moment.
        std::atomic<bool> saving = true;
        std::set<std::string> wrong;
        int looks = 0;
        std::thread lister([&] {
            while (saving) {
                ++looks;
                for (const auto& entry : fs::directory_iterator(folder.path())) {
                    struct stat info {};
                    if (!entry.path().filename().native().starts_with(".lumenleaf-save-") ||
                        ::lstat(entry.path().c_str(), &info) != 0)
                        continue;
                    const mode_t mode = info.st_mode & 07777;
                    if ((mode & ~each.expected) != 0 ||
                        (info.st_size > 0 && mode != each.expected)) {
                        char seen[64];
                        std::snprintf(seen, sizeof seen, "%04o with %lld bytes", mode,
                                      static_cast<long long>(info.st_size));
                        wrong.insert(seen);
                    }
                }
            }
        });
        std::error_code failure;
        mode_t saved = each.expected;
        for (int save = 0; save < 300 && !failure && saved == each.expected; ++save) {
            if (!each.mode)
                fs::remove(note);
            failure = writeFileAtomically(note, text, [](int) { return 0; });
            saved = ScratchFolder::status(note).st_mode & 07777;
        }
        saving = false;
        lister.join();
        EXPECT_FALSE(failure) << failure.message();
        EXPECT_EQ(saved, each.expected);
        EXPECT_EQ(wrong, std::set<std::string>());
        EXPECT_GT(looks, 1);
    }
    ::umask(previousMask);
}

} // namespace
} // namespace notes
