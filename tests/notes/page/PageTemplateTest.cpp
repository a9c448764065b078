#include "notes/page/PageTemplate.hpp"
#include "notes/text/DecimalText.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace notes {
namespace {

// The body element as written, from "<body" to its closing ">".
std::string bodyTag(const std::string& page) {
    auto start = page.find("<body");
    return page.substr(start, page.find('>', start) + 1 - start);
}

TEST(PageTemplate, AppearanceSetsScaleMeasureAndFaceAroundTheNote) {
    EXPECT_EQ(makePageHTML("<p data-line=\"1\">Hi</p>", PageAppearance{}),
              "<!doctype html>\n<html style=\"--scale: 1.0; --measure: 37.0rem\">\n"
              "<head>\n<meta charset=\"utf-8\">\n"
              "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
              "img-src mdreader: data: https: http:; media-src mdreader: https:; "
              // Scripts only from the application: a note's <script src> is mdreader://local.
              "style-src mdreader: 'unsafe-inline'; script-src mdreader://app; "
              "font-src mdreader:\">\n<meta name=\"color-scheme\" content=\"light dark\">\n"
              "<link rel=\"stylesheet\" href=\"mdreader://app/reader.css\">\n"
              "<script defer src=\"mdreader://app/highlight.min.js\"></script>\n"
              "<script defer src=\"mdreader://app/reader.js\"></script>\n</head>\n"
              "<body class=\"font-serif\">\n<main id=\"content\">\n"
              "<p data-line=\"1\">Hi</p>\n</main>\n</body>\n</html>");
    const std::string sans = makePageHTML("x", {Typeface::sans, 1.1, LineWidth::wide});
    EXPECT_TRUE(
        sans.starts_with("<!doctype html>\n<html style=\"--scale: 1.1; --measure: 44.0rem\">"));
    EXPECT_EQ(bodyTag(sans), "<body class=\"font-sans\">");
}

TEST(PageTemplate, StartAttributeTakesAnchorThenLineThenOffset) {
    const struct {
        std::optional<std::string_view> anchor;
        std::optional<double> scroll;
        std::optional<long> line;
        std::string attributes; // after the class
    } cases[] = {
        {"intro", 120.5, 40, " data-anchor=\"intro\""},
        {"a\"b&c<d>", std::nullopt, std::nullopt, " data-anchor=\"a&quot;b&amp;c&lt;d&gt;\""},
        {std::nullopt, 250, 1, " data-scroll=\"250.0\""},
        {std::nullopt, 250, 2, " data-line=\"2\""},
        {std::nullopt, 0.5, -3, " data-scroll=\"0.5\""},
        {std::nullopt, std::numeric_limits<double>::quiet_NaN(), std::nullopt, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bodyTag(makePageHTML("", PageAppearance{}, c.anchor, c.scroll, c.line)),
                  "<body class=\"font-serif\"" + c.attributes + ">");
}

TEST(DecimalText, ShortestRoundTripWithoutExponentKeepingOneDecimalOnWholeValues) {
    const std::pair<double, std::string> cases[] = {
        {1.0, "1.0"},
        {1e21, "1000000000000000000000.0"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    expectCases(cases, decimalText);
    // The extremes fit: 309 digits, and 326 characters.
    EXPECT_EQ(decimalText(std::numeric_limits<double>::max()).size(), 311u);
    EXPECT_EQ(decimalText(std::numeric_limits<double>::denorm_min()),
              "0." + std::string(323, '0') + "5");
}

} // namespace
} // namespace notes
