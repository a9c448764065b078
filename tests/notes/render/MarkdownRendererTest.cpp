#include "notes/render/MarkdownRenderer.hpp"

#include "RenderedHTML.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

#include <map>

namespace notes {
namespace {

using testing::occurrences;
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
        // CR CR LF leaves one CR LF: a single line end, or the escape below is not found.
        {"a\r\r\nA line long enough to be out of reach\n\\[[x]]",
         "<p data-line=\"1\">a\nA line long enough to be out of reach\n[[x]]</p>\n"},
        {"Text\n[^1]: note\n    more\n\n> After", "<p data-line=\"1\">Text</p>\n"
                                                  "<blockquote data-line=\"5\">\n<p>After</p>\n"
                                                  "</blockquote>\n"},
        // The parser starts a table at the first line of the paragraph above its header row,
        // and gives the paragraph no line: it takes the table's.
        {"# A\n\npara\ntwo\n| h |\n|---|",
         "<h1 id=\"a\" data-line=\"1\">A</h1>\n<p data-line=\"3\">para\ntwo</p>\n"
         "<div class=\"table-wrap\" data-line=\"3\"><table>\n<thead>\n<tr><th>h</th></tr>\n"
         "</thead>\n</table></div>\n"},
    };
    expectCases(cases, [&](const char* text) { return renderedHTML(text, hidden); });
    // A block without properties gives no box even when collapsed.
    EXPECT_EQ(renderedHTML("---\n---\nBody"), "<p data-line=\"3\">Body</p>\n");
}

// The values of one attribute, in the order they stand in the page.
std::vector<std::string> valuesOf(const std::string& html, const std::string& attribute) {
    std::vector<std::string> values;
    const std::string start = " " + attribute + "=\"";
    for (std::size_t at = html.find(start); at != std::string::npos; at = html.find(start, at)) {
        at += start.size();
        values.push_back(html.substr(at, html.find('"', at) - at));
    }
    return values;
}

TEST(MarkdownRenderer, GivesEveryIdOnThePageOnce) {
    const std::string html =
        renderedHTML("# Intro\n# Intro\n# Intro 1\n# Fn note\n\n"
                     "A[^Note] B[^note] C[^Note]\n\n[^Note]: # Intro\n[^note]: two");
    EXPECT_EQ(valuesOf(html, "id"),
              (std::vector<std::string>{"intro", "intro-1", "intro-1-1", "fn-note", "fnref-note",
                                        "fnref-note-1", "fnref-note-2", "fn-note-1", "intro-2",
                                        "fn-note-2"}));
    EXPECT_EQ(valuesOf(html, "href"),
              (std::vector<std::string>{"#fn-note-1", "#fn-note-2", "#fn-note-1", "#fnref-note",
                                        "#fnref-note-1"}));
}

TEST(MarkdownRenderer, FindsTextAsTypedWhereverTheParserPlacesIt) {
    // The label has a curly quote as typed: read back straight by guessing, it names nothing.
    // The parser's columns miss indentation, lazy lines and the backslashes of "\|".
    for (const char* block :
         {"a\n    b [^x’]", "a\n                         b [^x’]", "> q\nlazy [^x’]",
          ">>   spaced [^x’]", "- item\n  cont [^x’]", "| a\\|b\\|c [^x’] | c |\n|---|---|",
          "Setext\n  [^x’]\n===", "*em* `c` &amp; &ndash; \"q\"... [^x’]",
          // Beside a table the parser places the paragraph nowhere and its header row on the
          // paragraph's first line.
          "# Heading\n\nThe first line of it\nand *two* [^x’]\n| h |\n|---|\n| b |",
          "- item\n  cont [^x’]\n  | h |\n  |---|",
          "> [!note] a\\|b \"q\"\n> [^x’] c\n> | h |\n> |---|",
          "> 1\n> 2\n> 3\n> 4\n> 5\n> 6\n> 7\n> 8\n> 9\n> | x [^x’] |\n> |---|"}) {
        EXPECT_NE(renderedHTML(std::string(block) + "\n\n[^x’]: def").find("id=\"fnref-x\""),
                  std::string::npos)
            << block;
    }
}

TEST(MarkdownRenderer, ReadsAddressesBesideATableAsTyped) {
    // Guessed, the dash would be read back as "--".
    const std::string address = "<a href=\"https://e.com/a–b\">https://e.com/a–b</a>";
    for (const char* note :
         {"line https://e.com/a–b\n| h |\n|---|", "- x https://e.com/a–b\n  | h |\n  |---|",
          "> x\n> y https://e.com/a–b\n> | h |\n> |---|",
          "> [!tip] See https://e.com/a–b\n> | h |\n> |---|",
          "Ref[^n].\n\n[^n]: body https://e.com/a–b\n    | h |\n    |---|"}) {
        EXPECT_EQ(occurrences(renderedHTML(note), address), 1u) << note;
    }
}

TEST(MarkdownRenderer, ResolvesEachWikilinkTargetOncePerRendering) {
    struct CountingResolver : LinkResolving {
        std::optional<markdown::URL> resolve(std::string_view target,
                                             const std::optional<markdown::URL>&) const override {
            ++asked[std::string(target)];
            if (target != "A")
                return std::nullopt;
            return markdown::URL::fileURL(std::string("/n/A.md"));
        }
        mutable std::map<std::string, int> asked;
    } resolver;
    const MarkdownRenderer renderer{{}, &resolver, markdown::URL::fileURL(std::string("/n/x.md"))};
    // Footnote bodies are written by writers of their own.
    const std::string note = "---\nup: \"[[A]]\"\n---\n[[A]] [[A|again]] ![[B]] [[B]][^1]\n\n"
                             "[^1]: [[A]] [[B]]";
    for (int rendering = 1; rendering <= 2; ++rendering) {
        const std::string html = renderer.render(note).html;
        EXPECT_EQ(resolver.asked, (std::map<std::string, int>{{"A", rendering}, {"B", rendering}}));
        EXPECT_EQ(occurrences(html, "href=\"mdreader://local/n/A.md\""), 4U);
    }
}

} // namespace
} // namespace notes
