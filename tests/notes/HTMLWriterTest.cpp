#include "notes/MarkdownRenderer.hpp"

#include "RenderedHTML.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using testing::renderedHTML;

struct Golden {
    const char* text;
    const char* html;
};

void expectGoldens(std::initializer_list<Golden> cases) {
    for (const Golden& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(renderedHTML(c.text), c.html);
    }
}

TEST(HTMLWriter, ListsTaskListsAndNumbering) {
    expectGoldens({
        {"- a\n- b", "<ul data-line=\"1\">\n<li>a\n</li>\n<li>b\n</li>\n</ul>\n"},
        {"- a\n\n- b", "<ul data-line=\"1\">\n<li><p>a</p>\n</li>\n<li><p>b</p>\n</li>\n</ul>\n"},
        // A blank line between two blocks of one item loosens the whole list.
        {"- a\n\n  b\n- c",
         "<ul data-line=\"1\">\n<li><p>a</p>\n<p>b</p>\n</li>\n<li><p>c</p>\n</li>\n</ul>\n"},
        {"- [x] done\n- [ ] open\n- plain",
         "<ul class=\"task-list\" data-line=\"1\">\n"
         "<li class=\"task done\"><input type=\"checkbox\" disabled checked> done\n</li>\n"
         "<li class=\"task\"><input type=\"checkbox\" disabled> open\n</li>\n"
         "<li>plain\n</li>\n</ul>\n"},
        {"3. c", "<ol start=\"3\" data-line=\"1\">\n<li>c\n</li>\n</ol>\n"},
        {"1. [x] c", "<ol data-line=\"1\">\n"
                     "<li class=\"task done\"><input type=\"checkbox\" disabled checked> c\n"
                     "</li>\n</ol>\n"},
    });
}

TEST(HTMLWriter, NestedListsAreTightByTheSourceLinesOfTheirBlocks) {
    expectGoldens({
        // The parser lets a nested list run over the blank line after it, so no blank line
        // lies between it and the next item: both lists stay tight.
        {"- a\n  - b\n\n- c",
         "<ul data-line=\"1\">\n<li>a\n<ul>\n<li>b\n</li>\n</ul>\n</li>\n<li>c\n</li>\n</ul>\n"},
        // A quote ends on its last line: the blank line after it loosens the list.
        {"- a\n  > q\n\n- c", "<ul data-line=\"1\">\n<li><p>a</p>\n<blockquote>\n<p>q</p>\n"
                              "</blockquote>\n</li>\n<li><p>c</p>\n</li>\n</ul>\n"},
        // Each list decides alone: a loose inner list leaves the outer one tight.
        {"- a\n  - b\n\n  - c\n- d", "<ul data-line=\"1\">\n<li>a\n<ul>\n<li><p>b</p>\n</li>\n"
                                     "<li><p>c</p>\n</li>\n</ul>\n</li>\n<li>d\n</li>\n</ul>\n"},
    });
}

TEST(HTMLWriter, HeadingsGetUniqueAnchorsAndFillTheOutline) {
    const MarkdownRenderer::Result result = MarkdownRenderer().render(
        "# Intro\n## Intro\n> ### Intro\n# Q&A: 1 + 2 = 3?\n#   \u00DCber  caf\u00E9_2 \n"
        "# ***\n- # *In* list");
    EXPECT_EQ(result.html,
              "<h1 id=\"intro\" data-line=\"1\">Intro</h1>\n"
              "<h2 id=\"intro-1\" data-line=\"2\">Intro</h2>\n"
              "<blockquote data-line=\"3\">\n<h3 id=\"intro-2\">Intro</h3>\n</blockquote>\n"
              "<h1 id=\"qa-1-2-3\" data-line=\"4\">Q&amp;A: 1 + 2 = 3?</h1>\n"
              "<h1 id=\"\u00FCber-caf\u00E9-2\" data-line=\"5\">\u00DCber  caf\u00E9_2</h1>\n"
              "<h1 id=\"section\" data-line=\"6\">***</h1>\n"
              "<ul data-line=\"7\">\n<li><h1 id=\"in-list\"><em>In</em> list</h1>\n</li>\n</ul>\n");
    EXPECT_EQ(result.headings, (std::vector<OutlineHeading>{
                                   {"intro", 1, "Intro"},
                                   {"intro-1", 2, "Intro"},
                                   {"intro-2", 3, "Intro"},
                                   {"qa-1-2-3", 1, "Q&A: 1 + 2 = 3?"},
                                   {"\u00FCber-caf\u00E9-2", 1, "\u00DCber  caf\u00E9_2"},
                                   {"section", 1, "***"},
                                   {"in-list", 1, "In list"},
                               }));
}

TEST(HTMLWriter, CodeBlocksMermaidHTMLAndRules) {
    expectGoldens({
        {"```Mermaid graph\nx\n```", "<div class=\"mermaid-diagram\" data-line=\"1\"><pre><code "
                                     "class=\"language-mermaid\">x\n</code></pre></div>\n"},
        {"```diff {.numberLines}\n<a> & \"b\"\n```",
         "<pre data-line=\"1\"><code class=\"language-diff\">&lt;a&gt; &amp; &quot;b&quot;\n"
         "</code></pre>\n"},
        {"~~~ C\"x\n~~~", "<pre data-line=\"1\"><code class=\"language-C&quot;x\"></code></pre>\n"},
        {"\n    indented", "<pre data-line=\"2\"><code>indented\n</code></pre>\n"},
        {"<div>\n*x* &amp;\n</div>", "<div>\n*x* &amp;\n</div>\n"},
        {"- <div>\n\n***", "<ul data-line=\"1\">\n<li><div>\n</li>\n</ul>\n<hr data-line=\"3\">\n"},
        {"> a\n> \n> b", "<blockquote data-line=\"1\">\n<p>a</p>\n<p>b</p>\n</blockquote>\n"},
    });
}

TEST(HTMLWriter, Callouts) {
    expectGoldens({
        {"> [!note]", "<div class=\"callout\" data-line=\"1\" data-callout=\"note\">"
                      "<div class=\"callout-title\">Note</div>\n"
                      "<div class=\"callout-body\">\n</div></div>\n"},
        {"> [!warning]- Careful\n> body text",
         "<details class=\"callout\" data-line=\"1\" data-callout=\"warning\">"
         "<summary class=\"callout-title\">Careful</summary>\n"
         "<div class=\"callout-body\">\n<p>body text</p>\n</div></details>\n"},
        {"> [!TIP]+", "<details class=\"callout\" data-line=\"1\" data-callout=\"tip\" open>"
                      "<summary class=\"callout-title\">Tip</summary>\n"
                      "<div class=\"callout-body\">\n</div></details>\n"},
        // Only the leading plain text of the first line is the title; the rest of the first
        // paragraph, further blocks and nested callouts follow in the body without data-line.
        {"> [!info] A *b* c\n> more `x`\n>\n> # Inner\n> > [!quote]",
         "<div class=\"callout\" data-line=\"1\" data-callout=\"info\">"
         "<div class=\"callout-title\">A </div>\n<div class=\"callout-body\">\n"
         "<p>more <code>x</code></p>\n<h1 id=\"inner\">Inner</h1>\n"
         "<div class=\"callout\" data-callout=\"quote\"><div class=\"callout-title\">Quote</div>\n"
         "<div class=\"callout-body\">\n</div></div>\n</div></div>\n"},
        {"- > [!note] x & y", "<ul data-line=\"1\">\n<li><div class=\"callout\" data-callout="
                              "\"note\"><div class=\"callout-title\">x &amp; y</div>\n"
                              "<div class=\"callout-body\">\n</div></div>\n</li>\n</ul>\n"},
        {"> [!my note] x", "<blockquote data-line=\"1\">\n<p>[!my note] x</p>\n</blockquote>\n"},
        {"> - [!note]", "<blockquote data-line=\"1\">\n<ul>\n<li>[!note]\n</li>\n</ul>\n"
                        "</blockquote>\n"},
    });
}

TEST(HTMLWriter, TablesWithAlignmentsAndSpans) {
    expectGoldens({
        {"a | b\n:-- | --:\n1 | 2",
         "<div class=\"table-wrap\" data-line=\"1\"><table>\n<thead>\n"
         "<tr><th style=\"text-align:left\">a</th><th style=\"text-align:right\">b</th></tr>\n"
         "</thead>\n<tbody>\n"
         "<tr><td style=\"text-align:left\">1</td><td style=\"text-align:right\">2</td></tr>\n"
         "</tbody>\n</table></div>\n"},
        {"- | a | b |\n  |:-:|---|", "<ul data-line=\"1\">\n<li><div class=\"table-wrap\"><table>\n"
                                     "<thead>\n<tr><th style=\"text-align:center\">a</th>"
                                     "<th>b</th></tr>\n</thead>\n</table></div>\n</li>\n</ul>\n"},
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
    });
}

} // namespace
} // namespace notes
