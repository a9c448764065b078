#include "notes/runtime/Settings.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(Settings, WritesThroughAndReadsBackEveryKind) {
    ScratchFolder folder;
    const auto file = folder / "lumenleaf" / "settings.ini";
    const std::vector<std::string> folders{"/a;b", "/c d", "/e\\f"};
    {
        Settings settings(file);
        EXPECT_EQ(settings.string("typeface"), std::nullopt);
        EXPECT_TRUE(settings.setString("typeface", "sans"));
        EXPECT_TRUE(settings.setNumber("textScale", 1.25));
        EXPECT_TRUE(settings.setBoolean("softBreaks", true));
        EXPECT_TRUE(settings.setStringList("recentFolders", folders));
    }
    Settings again(file);
    EXPECT_EQ(again.string("typeface"), "sans");
    EXPECT_EQ(again.number("textScale"), 1.25);
    EXPECT_EQ(again.number("typeface"), std::nullopt); // not a number
    EXPECT_EQ(again.boolean("softBreaks"), true);
    EXPECT_EQ(again.stringList("recentFolders"), folders);

    // A key another window wrote meanwhile is kept.
    Settings(file).setString("appearance", "dark");
    again.setBoolean("showOutline", true);
    EXPECT_EQ(Settings(file).string("appearance"), "dark");
}

TEST(Settings, NeverOverwritesAFileItCannotRead) {
    ScratchFolder folder;
    const auto file = folder / "settings.ini";
    ScratchFolder::write(file, "this is [not a key file\n");
    Settings settings(file);
    EXPECT_EQ(settings.string("typeface"), std::nullopt);
    EXPECT_FALSE(settings.setString("typeface", "serif"));
    EXPECT_EQ(settings.string("typeface"), "serif"); // kept for this run
    EXPECT_EQ(ScratchFolder::read(file), "this is [not a key file\n");
}

} // namespace
} // namespace notes
