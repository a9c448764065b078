#include "notes/PageAppearance.hpp"
#include "notes/EscapeHTML.hpp"
#include "notes/RenderOptions.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace notes {
namespace {

// Each setting lists its cases in settings order, and only the exact raw value reads back.
template <typename Value, std::size_t count>
void expectRawValues(const std::array<Value, count>& all, std::vector<std::string_view> raws,
                     std::optional<Value> (*fromRawValue)(std::string_view)) {
    std::vector<std::string_view> written;
    for (Value value : all) {
        written.push_back(rawValue(value));
        EXPECT_EQ(fromRawValue(rawValue(value)), value);
    }
    EXPECT_EQ(written, raws);
    for (std::string_view raw : raws) {
        std::string upper(raw);
        upper[0] = static_cast<char>(std::toupper(upper[0]));
        EXPECT_EQ(fromRawValue(upper), std::nullopt) << upper;
        EXPECT_EQ(fromRawValue(std::string(raw) + " "), std::nullopt) << raw;
    }
}

TEST(PageAppearance, SettingsReadBackOnlyTheirExactRawValues) {
    expectRawValues(allTypefaces, {"serif", "sans"}, typefaceFromRawValue);
    expectRawValues(allLineWidths, {"narrow", "medium", "wide"}, lineWidthFromRawValue);
    expectRawValues(allFrontmatterModes, {"collapsed", "hidden"}, frontmatterModeFromRawValue);
    EXPECT_EQ(lineWidthFromRawValue(""), std::nullopt);

    std::vector<double> measures;
    for (LineWidth width : allLineWidths)
        measures.push_back(pageMeasure(width));
    EXPECT_EQ(measures, (std::vector<double>{33, 37, 44}));

    // By default: serif at the medium measure, the Properties box, single line breaks kept.
    EXPECT_EQ(PageAppearance{}, (PageAppearance{Typeface::serif, 1.0, LineWidth::medium}));
    EXPECT_EQ(RenderOptions{}, (RenderOptions{FrontmatterMode::collapsed, false}));
}

TEST(EscapeHTML, EscapesTheFourCharactersPerCodePoint) {
    EXPECT_EQ(escapeHTML("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; 'd'&gt;");
    // A quote with a combining acute accent is still a quote to an HTML parser.
    EXPECT_EQ(escapeHTML("\"\u0301 onmouseover=x"), "&quot;\u0301 onmouseover=x");
}

} // namespace
} // namespace notes
