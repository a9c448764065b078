#include "app/WindowTargetForPath.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

TEST(WindowTargetForPath, AFolderOpensAsFolderAFileAsSingleNoteAndNothingThereAsNothing) {
    notes::ScratchFolder folder;
    notes::ScratchFolder::write(folder / "Notes" / "Plan.md", "# Plan\n");
    notes::ScratchFolder::write(folder / "photo.png", "png");
    std::filesystem::create_symlink(folder / "Notes", folder / "link");
    std::filesystem::create_symlink(folder / "gone", folder / "dangling");

    const auto at = [&](const char* name) { return URL::fileURL(folder / name); };
    // A file that is not a note too: the window's opening hands it to the desktop.
    const std::pair<const char*, std::optional<WindowTarget>> cases[] = {
        {"Notes", WindowTarget{at("Notes"), std::nullopt}},
        {"link", WindowTarget{at("link"), std::nullopt}},
        {"Notes/Plan.md", WindowTarget{std::nullopt, at("Notes/Plan.md")}},
        {"photo.png", WindowTarget{std::nullopt, at("photo.png")}},
        {"missing.md", std::nullopt},
        {"dangling", std::nullopt},
    };
    for (const auto& [name, target] : cases)
        EXPECT_EQ(windowTargetForPath(folder / name), target) << name;
    EXPECT_EQ(windowTargetForPath(""), std::nullopt);
}

} // namespace
} // namespace app
