#include "notes/files/ReadFile.hpp"
#include "notes/files/FileStamp.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <ctime>

using namespace std::string_literals;

namespace notes {
namespace {

TEST(ReadFile, ReadsRegularFilesWholeAndRefusesEverythingElse) {
    ScratchFolder folder;
    const std::string big(std::size_t{200} * 1024, 'x'); // more than one read's worth
    ScratchFolder::write(folder / "note.md", big + "\0end"s);
    ::mkfifo((folder / "pipe.md").c_str(), 0644); // must not hang waiting for a writer
    std::filesystem::create_directory(folder / "dir.md");

    EXPECT_EQ(std::get<std::string>(readFile(folder / "note.md")), big + "\0end"s);

    const std::pair<const char*, std::errc> refused[] = {
        {"missing.md", std::errc::no_such_file_or_directory},
        {"pipe.md", std::errc::invalid_argument},
        {"dir.md", std::errc::is_a_directory},
    };
    for (const auto& [name, expected] : refused)
        EXPECT_EQ(std::get<std::error_code>(readFile(folder / name)), expected) << name;
}

struct stat statusChangedSecondsAgo(time_t seconds) {
    struct stat status {};
    status.st_ino = 7;
    status.st_size = 4;
    status.st_mtim = status.st_ctim = {::time(nullptr) - seconds, 500};
    return status;
}

// The status alone may vouch for the bytes only when a later write would have moved its times.
TEST(FileStamp, TheStatusProvesNothingWhileALaterWriteCouldKeepItsTimes) {
    struct stat old = statusChangedSecondsAgo(60);
    struct stat recent = statusChangedSecondsAgo(0);
    struct stat touched = old;
    touched.st_ctim.tv_nsec += 1; // a change that put the modification time back
    struct stat replaced = old;
    replaced.st_ino = 8;

    EXPECT_TRUE(FileStamp::of(old, "base").provesUnchanged(old));
    EXPECT_FALSE(FileStamp::of(old, "base").provesUnchanged(touched));
    EXPECT_FALSE(FileStamp::of(old, "base").provesUnchanged(replaced));
    EXPECT_FALSE(FileStamp::of(recent, "base").provesUnchanged(recent));
    // Bytes that do not match the status (it was taken around a write) are never vouched for.
    struct stat grown = old;
    grown.st_size = 5;
    EXPECT_FALSE(FileStamp::of(old, "bases").provesUnchanged(grown));

    EXPECT_TRUE(FileStamp::of(recent, "base").sameBytes(FileStamp::of(old, "base")));
    EXPECT_FALSE(FileStamp::of(old, "base").sameBytes(FileStamp::of(old, "BASE")));
}

} // namespace
} // namespace notes
