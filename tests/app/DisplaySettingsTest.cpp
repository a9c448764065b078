#include "app/DisplaySettings.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace app {
namespace {

using notes::FrontmatterMode;
using notes::LineWidth;
using notes::Typeface;
using reader::AppearanceMode;

DisplaySettings readFrom(const std::string& file) {
    notes::ScratchFolder folder;
    notes::ScratchFolder::write(folder / "settings.ini", file);
    notes::Settings settings(folder / "settings.ini");
    return DisplaySettings::read(settings);
}

TEST(DisplaySettings, WithoutAFileEverySettingHasItsDefault) {
    notes::ScratchFolder folder;
    notes::Settings settings(folder / "missing" / "settings.ini");
    const auto display = DisplaySettings::read(settings);
    EXPECT_EQ(display.typeface, Typeface::serif);
    EXPECT_EQ(display.textScale, 1.0);
    EXPECT_EQ(display.lineWidth, LineWidth::medium);
    EXPECT_EQ(display.appearance, AppearanceMode::system);
    EXPECT_EQ(display.frontmatter, FrontmatterMode::collapsed);
    EXPECT_FALSE(display.softBreaks);
    EXPECT_FALSE(display.showOutline);
}

TEST(DisplaySettings, ReadsEveryKeyTheUserSet) {
    const auto display = readFrom("[Lumenleaf]\n"
                                  "typeface=sans\ntextScale=1.5\nlineWidth=wide\n"
                                  "appearance=dark\nfrontmatter=hidden\nsoftBreaks=true\n"
                                  "showOutline=true\n");
    EXPECT_EQ(display.typeface, Typeface::sans);
    EXPECT_EQ(display.textScale, 1.5);
    EXPECT_EQ(display.lineWidth, LineWidth::wide);
    EXPECT_EQ(display.appearance, AppearanceMode::dark);
    EXPECT_EQ(display.frontmatter, FrontmatterMode::hidden);
    EXPECT_TRUE(display.softBreaks);
    EXPECT_TRUE(display.showOutline);
    EXPECT_EQ(display.pageAppearance(),
              (notes::PageAppearance{Typeface::sans, 1.5, LineWidth::wide}));
    EXPECT_EQ(display.renderOptions(), (notes::RenderOptions{FrontmatterMode::hidden, true}));
}

TEST(DisplaySettings, UnknownValuesAndWrongTypesFallBackToTheDefault) {
    const auto display = readFrom("[Lumenleaf]\n"
                                  "typeface=Sans\ntextScale=big\nlineWidth=\n"
                                  "appearance=Dark\nfrontmatter=shown\nsoftBreaks=maybe\n"
                                  "showOutline=1.5\n");
    EXPECT_EQ(display, DisplaySettings{});
}

TEST(DisplaySettings, TextScaleStaysWithinItsRange) {
    struct Case {
        const char* stored;
        double read;
    };
    for (const auto& [stored, read] :
         {Case{"0.7", 0.7}, Case{"0.2", 0.7}, Case{"2.0", 2.0}, Case{"9", 2.0}, Case{"-1", 0.7},
          Case{"nan", 1.0}, Case{"inf", 1.0}, Case{"1.25", 1.25}}) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(readFrom(std::string("[Lumenleaf]\ntextScale=") + stored + "\n").textScale, read);
    }
}

} // namespace
} // namespace app
