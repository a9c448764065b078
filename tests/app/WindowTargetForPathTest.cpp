#include "app/WindowTargetForPath.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

TEST(WindowTargetForPath, AFolderOpensAsFolderAndAFileAsSingleNote) {
    notes::ScratchFolder folder;
    std::filesystem::create_directory(folder / "Notes");
    notes::ScratchFolder::write(folder / "Notes" / "Plan.md", "# Plan\n");
    notes::ScratchFolder::write(folder / "photo.png", "png");
    std::filesystem::create_symlink(folder / "Notes", folder / "link");

    EXPECT_EQ(windowTargetForPath(folder / "Notes"),
              (WindowTarget{URL::fileURL(folder / "Notes"), std::nullopt}));
    EXPECT_EQ(windowTargetForPath(folder / "link"),
              (WindowTarget{URL::fileURL(folder / "link"), std::nullopt}));
    EXPECT_EQ(windowTargetForPath(folder / "Notes" / "Plan.md"),
              (WindowTarget{std::nullopt, URL::fileURL(folder / "Notes" / "Plan.md")}));
    // The window's opening hands it to the desktop.
    EXPECT_EQ(windowTargetForPath(folder / "photo.png"),
              (WindowTarget{std::nullopt, URL::fileURL(folder / "photo.png")}));
}

TEST(WindowTargetForPath, NothingAtThePathOpensNothing) {
    notes::ScratchFolder folder;
    std::filesystem::create_symlink(folder / "gone", folder / "dangling");
    EXPECT_EQ(windowTargetForPath(folder / "missing.md"), std::nullopt);
    EXPECT_EQ(windowTargetForPath(folder / "dangling"), std::nullopt);
    EXPECT_EQ(windowTargetForPath(""), std::nullopt);
}

} // namespace
} // namespace app
