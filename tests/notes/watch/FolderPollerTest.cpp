#include "notes/watch/FolderPoller.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace fs = std::filesystem;

namespace notes {
namespace {

using Flags = FolderChange::Flags;
constexpr Flags file = FolderChange::itemIsFile, folder = FolderChange::itemIsDirectory;
constexpr Flags created = FolderChange::itemCreated, removed = FolderChange::itemRemoved,
                modified = FolderChange::itemModified;

TEST(FolderPoller, ReportsWhatChangedSinceTheLastPollAndFollowsNewFolders) {
    ScratchFolder scratch;
    const fs::path& base = scratch.path();
    scratch.file("note.md");
    scratch.file("old.md");
    scratch.file("b/inside.md");
    scratch.file("e/keep.md");
    FolderPoller poller;
    poller.follow(base.native());
    poller.followFile((base / "note.md").native());
    // Relative path -> flags, OR-ed.
    auto poll = [&] {
        std::map<std::string, Flags> seen;
        for (const FolderChange& change : poller.poll())
            seen[fs::path(change.path).lexically_relative(base).native()] |= change.flags;
        return seen;
    };

    const struct {
        const char* what;
        std::function<void()> action;
        std::map<std::string, Flags> expected;
    } steps[] = {
        {"nothing", [] {}, {}},
        {"a note made", [&] { scratch.file("new.md"); }, {{"new.md", created | file}}},
        {"a tree made",
         [&] { scratch.file("c/d/deep.md"); },
         {{"c", created | folder}, {"c/d", created | folder}, {"c/d/deep.md", created | file}}},
        {"inside a new folder",
         [&] { scratch.file("c/d/later.md"); },
         {{"c/d/later.md", created | file}}},
        {"the followed file written in place",
         [&] { ScratchFolder::write(base / "note.md", "# note, longer\n"); },
         {{"note.md", modified | file}}},
        {"renamed",
         [&] { fs::rename(base / "old.md", base / "renamed.md"); },
         {{"old.md", removed | file}, {"renamed.md", created | file}}},
        {"a folder replaced by a file",
         [&] {
             fs::remove_all(base / "b");
             scratch.file("b");
         },
         {{"b", removed | folder | created | file}}},
        // The folder made again may have the inode number of the one removed.
        {"a tree made again",
         [&] {
             fs::remove_all(base / "c");
             scratch.file("c/d/deep.md");
         },
         {{"c/d", removed | created | folder}, {"c/d/deep.md", created | file}}},
        {"a folder replaced by another of the same name",
         [&] {
             scratch.file("elsewhere/d/deep.md");
             fs::remove_all(base / "c/d");
             fs::rename(base / "elsewhere/d", base / "c/d");
             fs::remove(base / "elsewhere");
         },
         {{"c/d/deep.md", removed | created | file}}},
        // Made again at once, it gets the inode number it had.
        {"a folder made again with what it held",
         [&] {
             fs::remove_all(base / "e");
             scratch.file("e/keep.md");
         },
         {{"e/keep.md", removed | created | file}}},
        {"a tree removed", [&] { fs::remove_all(base / "c"); }, {{"c", removed | folder}}},
        {"no longer followed",
         [&] {
             poller.forget(base.native());
             scratch.file("unseen.md");
             ScratchFolder::write(base / "note.md", "# again\n");
         },
         {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.action();
        EXPECT_EQ(poll(), step.expected);
    }
    EXPECT_TRUE(poller.empty());
}

} // namespace
} // namespace notes
