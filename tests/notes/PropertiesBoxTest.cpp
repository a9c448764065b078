#include "notes/PropertiesBox.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(PropertiesBox, TextsGoThroughTheTextWriterKeysAndRawValuesAreEscaped) {
    std::string out = "before\n";
    writePropertiesBox(out,
                       "related: [[Other note]]\na<b: [x, 'y & z']\nempty: []\n"
                       "notes:\n  a & b\n  <c>",
                       [&out](std::string_view text) { out += "{" + std::string(text) + "}"; });
    EXPECT_EQ(out, "before\n"
                   "<details class=\"frontmatter\"><summary>Properties</summary>\n<table>\n"
                   "<tr><th>related</th><td>{[[Other note]]}</td></tr>\n"
                   "<tr><th>a&lt;b</th><td><span class=\"chip\">{x}</span>"
                   "<span class=\"chip\">{y & z}</span></td></tr>\n"
                   "<tr><th>empty</th><td></td></tr>\n"
                   "<tr><th>notes</th><td><pre>a &amp; b\n&lt;c&gt;</pre></td></tr>\n"
                   "</table></details>\n");

    // A block without any property writes no box at all.
    std::string none;
    writePropertiesBox(none, "# only a comment\n  - stray\nloose", [](std::string_view) {});
    EXPECT_EQ(none, "");
}

} // namespace
} // namespace notes
