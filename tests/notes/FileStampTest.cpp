#include "notes/FileStamp.hpp"

#include <gtest/gtest.h>

#include <ctime>

namespace notes {
namespace {

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
    EXPECT_FALSE(FileStamp::of(old, "bases").provesUnchanged(old));

    EXPECT_TRUE(FileStamp::of(recent, "base").sameBytes(FileStamp::of(old, "base")));
    EXPECT_FALSE(FileStamp::of(old, "base").sameBytes(FileStamp::of(old, "BASE")));
}

} // namespace
} // namespace notes
