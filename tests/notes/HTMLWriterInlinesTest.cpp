#include "notes/MarkdownRenderer.hpp"

#include "RenderedHTML.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using testing::renderedHTML;

TEST(HTMLWriterInlines, WritesTheCommonMarkInlines) {
    const struct {
        const char* text;
        const char* html;
    } cases[] = {
        {"a < b & c>d `'\"`", "a &lt; b &amp; c&gt;d <code>'&quot;</code>"},
        {"*a* **b** ~~c~~ `<d>`",
         "<em>a</em> <strong>b</strong> <del>c</del> <code>&lt;d&gt;</code>"},
        {"[a *b*](x?y&z \"T <1>\") [c]()",
         "<a href=\"x?y&amp;z\" title=\"T &lt;1&gt;\">a <em>b</em></a> <a href=\"\">c</a>"},
        // A quote with a combining mark after it is still escaped: the attribute stays shut.
        {"[x](a\"\xCC\x81onclick=1)", "<a href=\"a&quot;\xCC\x81onclick=1\">x</a>"},
        {"![Logo *big*](img/logo.png \"T\") ![](<>)",
         "<img src=\"img/logo.png\" alt=\"Logo big\" title=\"T\" loading=\"lazy\"> "
         "<img src=\"\" alt=\"\" loading=\"lazy\">"},
        {"a\\\nb  \nc\nd", "a<br>\nb<br>\nc\nd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(renderedHTML(c.text), "<p data-line=\"1\">" + std::string(c.html) + "</p>\n");
    }
    EXPECT_EQ(renderedHTML("a\nb", {FrontmatterMode::collapsed, true}),
              "<p data-line=\"1\">a<br>\nb</p>\n");
}

} // namespace
} // namespace notes
