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

DisplaySettings readFrom(const std::string& keys) {
    notes::ScratchFolder folder;
    notes::ScratchFolder::write(folder / "settings.ini", "[Lumenleaf]\n" + keys);
    return DisplaySettings::read(notes::Settings(folder / "settings.ini"));
}

TEST(DisplaySettings, ReadsEveryKeyTakesTheDefaultForWhatIsMissingOrUnknownAndBoundsTheTextScale) {
    EXPECT_EQ(readFrom(""),
              (DisplaySettings{Typeface::serif, 1.0, LineWidth::medium, AppearanceMode::system,
                               FrontmatterMode::collapsed, false, false}));
    EXPECT_EQ(readFrom("typeface=Sans\ntextScale=big\nlineWidth=\nappearance=Dark\n"
                       "frontmatter=shown\nsoftBreaks=maybe\nshowOutline=1.5\n"),
              readFrom(""));

    EXPECT_EQ(readFrom("typeface=sans\ntextScale=1.5\nlineWidth=wide\nappearance=dark\n"
                       "frontmatter=hidden\nsoftBreaks=true\nshowOutline=true\n"),
              (DisplaySettings{Typeface::sans, 1.5, LineWidth::wide, AppearanceMode::dark,
                               FrontmatterMode::hidden, true, true}));

    const std::pair<const char*, double> cases[] = {{"0.7", 0.7}, {"0.2", 0.7},  {"2.0", 2.0},
                                                    {"9", 2.0},   {"-1", 0.7},   {"nan", 1.0},
                                                    {"inf", 1.0}, {"1.25", 1.25}};
    for (const auto& [stored, read] : cases)
        EXPECT_EQ(readFrom(std::string("textScale=") + stored + "\n").textScale, read) << stored;
}

} // namespace
} // namespace app
