#include "notes/LinkIndex.hpp"
#include "notes/MarkdownRenderer.hpp"

#include "TemporaryNoteFolder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace notes {
namespace {

using markdown::URL;
using testing::TemporaryNoteFolder;

// A vault with notes beside the rendered one and a web site's "public" folder at its root.
class NoteVaultRendering : public ::testing::Test {
protected:
    NoteVaultRendering() {
        for (const char* file :
             {"notes/Index.md", "notes/Plan.md", "notes/Bob's notes.md", "public/img/logo.png"})
            vault.file(file);
        std::vector<URL> files;
        for (const char* file : {"notes/Plan.md", "notes/Bob's notes.md", "public/img/logo.png"})
            files.push_back(URL::fileURL(vault.path(file)));
        index = LinkIndex(URL::fileURL(vault.root()), files);
        renderer.resolver = &index;
        renderer.fileURL = URL::fileURL(vault.path("notes/Index.md"));
    }

    // The page address of a file of the vault.
    std::string local(const std::string& relative) const {
        return "mdreader://local" + vault.root() + "/" + relative;
    }

    TemporaryNoteFolder vault;
    LinkIndex index;
    MarkdownRenderer renderer;
};

TEST_F(NoteVaultRendering, RendersPropertiesBodyAndFootnotesOfANote) {
    const MarkdownRenderer::Result result =
        renderer.render("---\n"
                        "title: See [^n]\n"
                        "related: [[Plan]]\n"
                        "---\n"
                        "# Bob's plan\n"
                        "\n"
                        "Read [[Bob's notes|his notes]] and "
                        "==this==[^m][^n].\n"
                        "Visit https://example.com/a--b/c...d.\n"
                        "\n"
                        "![Logo](/img/logo.png \"The logo\")\n"
                        "\n"
                        "[^m]: More at https://e.com.\n"
                        "[^n]: Note **one**.\n");
    EXPECT_EQ(result.html,
              "<details class=\"frontmatter\"><summary>Properties</summary>\n<table>\n"
              "<tr><th>title</th><td>See <sup class=\"footnote-ref\">"
              "<a href=\"#fn-n\" id=\"fnref-n\">1</a></sup></td></tr>\n"
              "<tr><th>related</th><td><a class=\"wikilink\" href=\"" +
                  local("notes/Plan.md") +
                  "\">Plan</a></td></tr>\n"
                  "</table></details>\n"
                  "<h1 id=\"bobs-plan\" data-line=\"5\">Bob’s plan</h1>\n"
                  "<p data-line=\"7\">Read <a class=\"wikilink\" href=\"" +
                  local("notes/Bob's%20notes.md") +
                  "\">his notes</a> and <mark>this</mark>"
                  "<sup class=\"footnote-ref\"><a href=\"#fn-m\" id=\"fnref-m\">2</a></sup>"
                  "<sup class=\"footnote-ref\"><a href=\"#fn-n\" id=\"fnref-n\">1</a></sup>.\n"
                  "Visit <a href=\"https://example.com/a--b/c...d\">"
                  "https://example.com/a--b/c...d</a>.</p>\n"
                  "<p data-line=\"10\"><img src=\"" +
                  local("public/img/logo.png") +
                  "\" alt=\"Logo\" title=\"The logo\" loading=\"lazy\"></p>\n"
                  "<section class=\"footnotes\">\n<ol>\n"
                  "<li id=\"fn-n\"><p>Note <strong>one</strong>.</p>\n"
                  "<a href=\"#fnref-n\" class=\"footnote-back\" aria-label=\"Back to text\">↩</a>"
                  "</li>\n"
                  "<li id=\"fn-m\"><p>More at <a href=\"https://e.com\">https://e.com</a>.</p>\n"
                  "<a href=\"#fnref-m\" class=\"footnote-back\" aria-label=\"Back to text\">↩</a>"
                  "</li>\n"
                  "</ol>\n</section>\n");
    EXPECT_EQ(result.headings, (std::vector<OutlineHeading>{{"bobs-plan", 1, "Bob’s plan"}}));
}

TEST_F(NoteVaultRendering, KeepsLinkTextFreeOfAnchorsAndEmbedsSizedImages) {
    renderer.options.softBreaksAsLineBreaks = true;
    EXPECT_EQ(renderer
                  .render("[see [^1] and [[Plan]]](https://e.com) ![[logo.png|64x32]] "
                          "[[Nowhere]]\nnext\n\n[^1]: Only referenced inside a link.")
                  .html,
              "<p data-line=\"1\"><a href=\"https://e.com\">see [^1] and [[Plan]]</a> "
              "<img class=\"embed\" src=\"" +
                  local("public/img/logo.png") +
                  "\" alt=\"logo.png\" width=\"64\" height=\"32\" loading=\"lazy\"> "
                  "<span class=\"wikilink unresolved\" title=\"No note named “Nowhere” in this "
                  "folder\">Nowhere</span><br>\nnext</p>\n");
}

TEST_F(NoteVaultRendering, WritesFootnoteBodiesWithoutFurtherReferences) {
    EXPECT_EQ(renderer.render("Text[^a]\n\n[^a]: See [^a] and [[Plan]].").html,
              "<p data-line=\"1\">Text<sup class=\"footnote-ref\">"
              "<a href=\"#fn-a\" id=\"fnref-a\">1</a></sup></p>\n"
              "<section class=\"footnotes\">\n<ol>\n"
              "<li id=\"fn-a\"><p>See [^a] and <a class=\"wikilink\" href=\"" +
                  local("notes/Plan.md") +
                  "\">Plan</a>.</p>\n"
                  "<a href=\"#fnref-a\" class=\"footnote-back\" aria-label=\"Back to text\">↩</a>"
                  "</li>\n</ol>\n</section>\n");
}

TEST_F(NoteVaultRendering, KeepsAnEscapedBarAsTheAliasInATableCell) {
    EXPECT_EQ(renderer.render("| x |\n| - |\n| [[Plan\\|the plan]] |").html,
              "<div class=\"table-wrap\" data-line=\"1\"><table>\n<thead>\n"
              "<tr><th>x</th></tr>\n</thead>\n<tbody>\n<tr><td><a class=\"wikilink\" href=\"" +
                  local("notes/Plan.md") + "\">the plan</a></td></tr>\n</tbody>\n</table></div>\n");
}

} // namespace
} // namespace notes
