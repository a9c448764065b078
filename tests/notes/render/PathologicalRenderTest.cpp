// Notes shaped to make a parser or writer go deep, quadratic or astray render in bounded time, on
// the stack a desktop program's main thread has, and come out whole.
#include "notes/render/MarkdownRenderer.hpp"

#include "RenderedHTML.hpp"
#include "tests/Markdown/StackThread.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using markdown::testing::repeated;
using testing::occurrences;
using testing::renderedHTML;

TEST(PathologicalRender, EndsWithTheWholeNote) {
    const std::string stars = repeated("*", 100'000);
    const std::string nuls(100'000, '\0');
    const std::string line = repeated("word ", 2'000'000) + "end";
    const struct {
        const char* shape;
        std::string text;
        std::string_view piece; // What the fragment holds `count` times.
        std::size_t count;
    } cases[] = {
        {"only stars", stars, "<hr data-line=\"1\">", 1},
        {"stars in text", "a" + stars + "b", "*", 100'000},
        // The innermost "[[x]]" is a wikilink; the other brackets stay text.
        {"nested brackets", repeated("[", 10'000) + "x" + repeated("]", 10'000), "[", 9'998},
        {"nested links", repeated("[", 10'000) + "x" + repeated("](u)", 10'000), "<a href", 1},
        {"one 10 MB line", line, "word ", 2'000'000},
        {"10,000 columns",
         "|" + repeated("h|", 10'000) + "\n|" + repeated("-|", 10'000) + "\n|" +
             repeated("d|", 10'000),
         "<td", 10'000},
        // NUL is not text: each becomes a replacement character.
        {"only NUL bytes", nuls, "\xEF\xBF\xBD", 100'000},
        {"20,000 nested quotes", repeated(">", 20'000) + " x", "</blockquote>", 20'000},
        // Lists stop nesting at 99 on one line; the other markers are text.
        {"10,000 nested lists", repeated("- ", 10'000) + "x", "- ", 10'000 - 99},
        // Beside a table the texts are looked for in the lines; a NUL, shown as U+FFFD, is
        // found nowhere.
        {"NULs above a table", repeated(std::string("\0 *a* ", 6), 20'000) + "\n| h |\n|---|",
         "<em>a</em>", 20'000},
        {"10,000 nested emphases", repeated("**", 10'000) + "a" + repeated("**", 10'000),
         "<strong>", 10'000},
    };
    markdown::testing::runWithStackSize(markdown::testing::desktopStackSize, [&] {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.shape);
            const std::string html = renderedHTML(c.text);
            EXPECT_TRUE(html.starts_with("<") && html.ends_with(">\n"));
            EXPECT_EQ(occurrences(html, c.piece), c.count);
        }
    });
}

} // namespace
} // namespace notes
