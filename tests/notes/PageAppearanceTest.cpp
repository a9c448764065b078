#include "notes/PageAppearance.hpp"
#include "notes/EscapeHTML.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace notes {
namespace {

TEST(PageAppearance, RawValuesConstructOnlyTheirExactCase) {
    EXPECT_EQ(typefaceFromRawValue("serif"), Typeface::serif);
    EXPECT_EQ(typefaceFromRawValue("sans"), Typeface::sans);
    EXPECT_EQ(lineWidthFromRawValue("narrow"), LineWidth::narrow);
    EXPECT_EQ(lineWidthFromRawValue("medium"), LineWidth::medium);
    EXPECT_EQ(lineWidthFromRawValue("wide"), LineWidth::wide);
    EXPECT_EQ(typefaceFromRawValue("Serif"), std::nullopt);
    EXPECT_EQ(typefaceFromRawValue("serif "), std::nullopt);
    EXPECT_EQ(lineWidthFromRawValue("WIDE"), std::nullopt);
    EXPECT_EQ(lineWidthFromRawValue(""), std::nullopt);
}

TEST(PageAppearance, CasesListInSettingsOrderWithTheirMeasures) {
    std::vector<std::string_view> faces;
    for (Typeface face : allTypefaces)
        faces.push_back(rawValue(face));
    EXPECT_EQ(faces, (std::vector<std::string_view>{"serif", "sans"}));

    std::vector<std::string_view> widths;
    std::vector<double> measures;
    for (LineWidth width : allLineWidths) {
        widths.push_back(rawValue(width));
        measures.push_back(pageMeasure(width));
    }
    EXPECT_EQ(widths, (std::vector<std::string_view>{"narrow", "medium", "wide"}));
    EXPECT_EQ(measures, (std::vector<double>{33, 37, 44}));
}

TEST(PageAppearance, EqualByFieldsAndANaNScaleEqualsNothing) {
    const PageAppearance standard{Typeface::serif, 1.0, LineWidth::medium};
    EXPECT_EQ(PageAppearance{}, standard);
    EXPECT_NE(standard, (PageAppearance{Typeface::sans, 1.0, LineWidth::medium}));
    EXPECT_NE(standard, (PageAppearance{Typeface::serif, 1.1, LineWidth::medium}));
    EXPECT_NE(standard, (PageAppearance{Typeface::serif, 1.0, LineWidth::wide}));

    const PageAppearance notANumber{Typeface::serif, std::numeric_limits<double>::quiet_NaN(),
                                    LineWidth::medium};
    EXPECT_FALSE(notANumber == notANumber);
    EXPECT_TRUE(notANumber != notANumber);
    EXPECT_NE(notANumber, standard);
}

TEST(EscapeHTML, EscapesTheFourCharactersPerCodePoint) {
    EXPECT_EQ(escapeHTML("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; 'd'&gt;");
    // A quote with a combining acute accent is still a quote to an HTML parser.
    EXPECT_EQ(escapeHTML("\"\u0301 onmouseover=x"), "&quot;\u0301 onmouseover=x");
}

} // namespace
} // namespace notes
