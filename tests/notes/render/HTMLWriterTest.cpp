#include "notes/render/MarkdownRenderer.hpp"

#include "RenderedHTML.hpp"
#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using testing::renderedHTML;
using Golden = std::pair<const char*, std::string>;

TEST(HTMLWriter, WritesListsCodeAndRules) {
    const Golden cases[] = {
        // A blank line between two blocks of one item loosens the whole list.
        {"- a\n\n  b\n- c",
         "<ul data-line=\"1\">\n<li><p>a</p>\n<p>b</p>\n</li>\n<li><p>c</p>\n</li>\n</ul>\n"},
        {"- [x] done\n- [ ] open\n- plain",
         "<ul class=\"task-list\" data-line=\"1\">\n"
         "<li class=\"task done\"><input type=\"checkbox\" disabled checked> done\n</li>\n"
         "<li class=\"task\"><input type=\"checkbox\" disabled> open\n</li>\n"
         "<li>plain\n</li>\n</ul>\n"},
        {"3. c", "<ol start=\"3\" data-line=\"1\">\n<li>c\n</li>\n</ol>\n"},
        {"1. a", "<ol data-line=\"1\">\n<li>a\n</li>\n</ol>\n"},
        // A quote ends on its last line: the blank line after it loosens the list.
        {"- a\n  > q\n\n- c", "<ul data-line=\"1\">\n<li><p>a</p>\n<blockquote>\n<p>q</p>\n"
                              "</blockquote>\n</li>\n<li><p>c</p>\n</li>\n</ul>\n"},
        {"```Mermaid graph\nx\n```", "<div class=\"mermaid-diagram\" data-line=\"1\"><pre><code "
                                     "class=\"language-mermaid\">x\n</code></pre></div>\n"},
        {"```diff {.numberLines}\n<a> & \"b\"\n```",
         "<pre data-line=\"1\"><code class=\"language-diff\">&lt;a&gt; &amp; &quot;b&quot;\n"
         "</code></pre>\n"},
        {"\n    indented", "<pre data-line=\"2\"><code>indented\n</code></pre>\n"},
        {"<div>\n*x* &amp;\n</div>", "<div>\n*x* &amp;\n</div>\n"},
        {"- <div>\n\n***", "<ul data-line=\"1\">\n<li><div>\n</li>\n</ul>\n<hr data-line=\"3\">\n"},
    };
    expectCases(cases, [](const char* text) { return renderedHTML(text); });
}

TEST(HTMLWriter, HeadingsGetAnchorsAndFillTheOutline) {
    const MarkdownRenderer::Result result =
        MarkdownRenderer().render("# Q&A: 1 + 2 = 3?\n## ***\n- # *In* list");
    EXPECT_EQ(result.html,
              "<h1 id=\"qa-1-2-3\" data-line=\"1\">Q&amp;A: 1 + 2 = 3?</h1>\n"
              "<h2 id=\"section\" data-line=\"2\">***</h2>\n"
              "<ul data-line=\"3\">\n<li><h1 id=\"in-list\"><em>In</em> list</h1>\n</li>\n</ul>\n");
    EXPECT_EQ(result.headings, (std::vector<OutlineHeading>{
                                   {"qa-1-2-3", 1, "Q&A: 1 + 2 = 3?"},
                                   {"section", 2, "***"},
                                   {"in-list", 1, "In list"},
                               }));
}

TEST(HTMLWriter, WritesCalloutsAndTables) {
    const Golden cases[] = {
        {"> [!warning]- Careful\n> body text",
         "<details class=\"callout\" data-line=\"1\" data-callout=\"warning\">"
         "<summary class=\"callout-title\">Careful</summary>\n"
         "<div class=\"callout-body\">\n<p>body text</p>\n</div></details>\n"},
        // The whole first line is the title, markup included; the rest of the first paragraph,
        // further blocks and nested callouts follow in the body without data-line.
        {"> [!info] A *b* c\n> more `x`\n>\n> # Inner\n> > [!quote]",
         "<div class=\"callout\" data-line=\"1\" data-callout=\"info\">"
         "<div class=\"callout-title\">A <em>b</em> c</div>\n<div class=\"callout-body\">\n"
         "<p>more <code>x</code></p>\n<h1 id=\"inner\">Inner</h1>\n"
         "<div class=\"callout\" data-callout=\"quote\"><div class=\"callout-title\">Quote</div>\n"
         "<div class=\"callout-body\">\n</div></div>\n</div></div>\n"},
        {"> [!tip]+ _Live_ see [[Command palette]]\n> body",
         "<details class=\"callout\" data-line=\"1\" data-callout=\"tip\" open>"
         "<summary class=\"callout-title\"><em>Live</em> see "
         "<span class=\"wikilink\">Command palette</span></summary>\n"
         "<div class=\"callout-body\">\n<p>body</p>\n</div></details>\n"},
        {"> [!TIP]\n> body", "<div class=\"callout\" data-line=\"1\" data-callout=\"tip\">"
                             "<div class=\"callout-title\">Tip</div>\n"
                             "<div class=\"callout-body\">\n<p>body</p>\n</div></div>\n"},
        // "||" widens the cell to its left; "^" joins the cell above. A span keeps the style
        // of the column it starts in; covered cells are skipped but keep their column.
        {"| a | b | c |\n|:-:|---|--:|\n| *x* || y |\n| ^ | z | w |\n| 1 | 2 | 3 |",
         "<div class=\"table-wrap\" data-line=\"1\"><table>\n<thead>\n"
         "<tr><th style=\"text-align:center\">a</th><th>b</th>"
         "<th style=\"text-align:right\">c</th></tr>\n</thead>\n<tbody>\n"
         "<tr><td style=\"text-align:center\" colspan=\"2\" rowspan=\"2\"><em>x</em></td>"
         "<td style=\"text-align:right\">y</td></tr>\n"
         "<tr><td>z</td><td style=\"text-align:right\">w</td></tr>\n"
         "<tr><td style=\"text-align:center\">1</td><td>2</td>"
         "<td style=\"text-align:right\">3</td></tr>\n"
         "</tbody>\n</table></div>\n"},
    };
    expectCases(cases, [](const char* text) { return renderedHTML(text); });
}

TEST(HTMLWriter, WritesTheCommonMarkInlinesAndEscapesPerCodePoint) {
    const Golden cases[] = {
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
    // The inlines of the one paragraph, without its tags.
    expectCases(cases, [](const char* text) {
        const std::string html = renderedHTML(text);
        const std::size_t start = html.find('>') + 1;
        return html.substr(start, html.rfind("</p>") - start);
    });
}

} // namespace
} // namespace notes
