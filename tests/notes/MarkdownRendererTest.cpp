#include "notes/MarkdownRenderer.hpp"

#include "../Markdown/StackThread.hpp"
#include "RenderedHTML.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using markdown::testing::repeated;
using testing::renderedHTML;

TEST(MarkdownRenderer, DataLinesAreLinesOfTheFile) {
    const RenderOptions hidden{FrontmatterMode::hidden, false};
    const std::pair<const char*, const char*> cases[] = {
        {"# A\r\n\r\nText\r\nmore\r\n\r\n***\r\n",
         "<h1 id=\"a\" data-line=\"1\">A</h1>\n<p data-line=\"3\">Text\nmore</p>\n"
         "<hr data-line=\"6\">\n"},
        {"\xEF\xBB\xBF---\r\ntitle: x\r\n---\r\nBody", "<p data-line=\"4\">Body</p>\n"},
        // The parser ends a line at a lone carriage return, as the editor counts lines.
        {"a\rb\n\nc", "<p data-line=\"1\">a\nb</p>\n<p data-line=\"4\">c</p>\n"},
        {"Text\n[^1]: note\n    more\n\n> After", "<p data-line=\"1\">Text</p>\n"
                                                  "<blockquote data-line=\"5\">\n<p>After</p>\n"
                                                  "</blockquote>\n"},
    };
    expectCases(cases, [&](const char* text) { return renderedHTML(text, hidden); });
}

TEST(MarkdownRenderer, FrontMatterIsABoxBeforeTheFirstBlockOrNothing) {
    const std::string note = "---\ntitle: My note\n---\n# Intro";
    // Hidden, the note reads as if the front matter had been empty lines.
    EXPECT_EQ(renderedHTML(note, {FrontmatterMode::hidden, false}), renderedHTML("\n\n\n# Intro"));
    // A block without properties gives no box even when collapsed.
    EXPECT_EQ(renderedHTML("---\n---\nBody"), "<p data-line=\"3\">Body</p>\n");
}

TEST(MarkdownRenderer, WritesDeeplyNestedNotesOnADesktopStack) {
    const int depth = 20000;
    const struct {
        std::string text;
        std::string html;
    } cases[] = {
        {repeated(">", depth) + " x", "<blockquote data-line=\"1\">\n" +
                                          repeated("<blockquote>\n", depth - 1) + "<p>x</p>\n" +
                                          repeated("</blockquote>\n", depth)},
        // Lists stop nesting at 99 on one line; the other markers are text.
        {repeated("- ", depth / 2) + "x",
         "<ul data-line=\"1\">\n<li>" + repeated("<ul>\n<li>", 98) +
             repeated("- ", depth / 2 - 99) + "x\n" + repeated("</li>\n</ul>\n", 99)},
        {repeated("*", depth) + "a" + repeated("*", depth),
         "<p data-line=\"1\">" + repeated("<strong>", depth / 2) + "a" +
             repeated("</strong>", depth / 2) + "</p>\n"},
    };
    markdown::testing::runWithStackSize(markdown::testing::desktopStackSize, [&] {
        for (const auto& c : cases)
            EXPECT_TRUE(renderedHTML(c.text) == c.html) << c.text.substr(0, 4);
    });
}

} // namespace
} // namespace notes
