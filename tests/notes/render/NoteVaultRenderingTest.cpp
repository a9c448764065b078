#include "notes/render/MarkdownRenderer.hpp"
#include "notes/vault/LinkIndex.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using markdown::URL;

// A vault with notes beside the rendered one and a web site's "public" folder at its root.
class NoteVaultRendering : public ::testing::Test {
protected:
    NoteVaultRendering() {
        std::vector<URL> files;
        for (const char* file : {"notes/Plan.md", "notes/Bob's notes.md", "public/img/logo.png",
                                 "notes/Don't.md", "notes/Don\u2019t.md"}) {
            vault.file(file);
            files.push_back(URL::fileURL(vault / file));
        }
        index = LinkIndex(URL::fileURL(vault.path()), files);
        renderer.resolver = &index;
        renderer.fileURL = URL::fileURL(vault / "notes/Index.md");
    }

    // The expected fragment, with "{R}" standing for the vault's folder.
    std::string expected(std::string text) const {
        for (std::size_t at; (at = text.find("{R}")) != std::string::npos;)
            text.replace(at, 3, vault.path().native());
        return text;
    }

    ScratchFolder vault;
    LinkIndex index;
    MarkdownRenderer renderer;
};

TEST_F(NoteVaultRendering, RendersPropertiesBodyAndFootnotesOfANote) {
    const MarkdownRenderer::Result result = renderer.render(R"(---
title: See [^n]
related: [[Plan]]
---
# Bob's plan

Read [[Bob's notes|his notes]] and ==this==[^m][^n].

![Logo](/img/logo.png "The logo")

[^m]: More at https://e.com.
[^n]: Note **one**[^m], [[Plan]].
)");
    EXPECT_EQ(result.html, expected(R"(<details class="frontmatter"><summary>Properties</summary>
<table>
<tr><th>title</th><td>See <sup class="footnote-ref"><a href="#fn-n" id="fnref-n">1</a></sup></td></tr>
<tr><th>related</th><td><a class="wikilink" href="mdreader://local{R}/notes/Plan.md">Plan</a></td></tr>
</table></details>
<h1 id="bobs-plan" data-line="5">Bob’s plan</h1>
<p data-line="7">Read <a class="wikilink" href="mdreader://local{R}/notes/Bob's%20notes.md">his notes</a> and <mark>this</mark><sup class="footnote-ref"><a href="#fn-m" id="fnref-m">2</a></sup><sup class="footnote-ref"><a href="#fn-n" id="fnref-n-1">1</a></sup>.</p>
<p data-line="9"><img src="mdreader://local{R}/public/img/logo.png" alt="Logo" title="The logo" loading="lazy"></p>
<section class="footnotes">
<ol>
<li id="fn-n"><p>Note <strong>one</strong>[^m], <a class="wikilink" href="mdreader://local{R}/notes/Plan.md">Plan</a>.</p>
<a href="#fnref-n" class="footnote-back" aria-label="Back to text">↩</a></li>
<li id="fn-m"><p>More at <a href="https://e.com">https://e.com</a>.</p>
<a href="#fnref-m" class="footnote-back" aria-label="Back to text">↩</a></li>
</ol>
</section>
)"));
    EXPECT_EQ(result.headings, (std::vector<OutlineHeading>{{"bobs-plan", 1, "Bob’s plan"}}));
}

// Link text keeps no anchors of its own; embeds take their size.
TEST_F(NoteVaultRendering, TakesTargetsLabelsAndAddressesAsTyped) {
    renderer.options.softBreaksAsLineBreaks = true;
    const std::string html = renderer
                                 .render(R"([[Don’t]], [[Don't]], \[\[Plan\]\], \![[Plan]], ==a\==
https://e.org/wiki/Michelson–Morley https://e.org/wiki/Don’t_Stop_Believin’ https://e.org/a--b.
x[^a–b] y[^don't] z[^don’t]
[see [^1] and [[Plan]]](https://e.com) ![[logo.png|64x32]] [[No]]

[^a–b]: dash
[^don't]: straight
[^don’t]: curly
[^1]: Only referenced inside a link.)")
                                 .html;
    // The paragraph: the footnotes' ids are those its references name.
    EXPECT_EQ(
        html.substr(0, html.find("</p>\n")),
        expected(
            R"(<p data-line="1"><a class="wikilink" href="mdreader://local{R}/notes/Don%E2%80%99t.md">Don’t</a>, <a class="wikilink" href="mdreader://local{R}/notes/Don't.md">Don’t</a>, [[Plan]], !<a class="wikilink" href="mdreader://local{R}/notes/Plan.md">Plan</a>, ==a==<br>
<a href="https://e.org/wiki/Michelson–Morley">https://e.org/wiki/Michelson–Morley</a> <a href="https://e.org/wiki/Don’t_Stop_Believin’">https://e.org/wiki/Don’t_Stop_Believin’</a> <a href="https://e.org/a--b">https://e.org/a--b</a>.<br>
x<sup class="footnote-ref"><a href="#fn-ab" id="fnref-ab">1</a></sup> y<sup class="footnote-ref"><a href="#fn-dont" id="fnref-dont">2</a></sup> z<sup class="footnote-ref"><a href="#fn-dont-1" id="fnref-dont-1">3</a></sup><br>
<a href="https://e.com">see [^1] and [[Plan]]</a> <img class="embed" src="mdreader://local{R}/public/img/logo.png" alt="logo.png" width="64" height="32" loading="lazy"> <span class="wikilink unresolved" title="No note named “No” in this folder">No</span>)"));
}

// The parser places a paragraph above a table nowhere: its wikilinks are still read as typed.
TEST_F(NoteVaultRendering, ResolvesWikilinksBesideATableAsTyped) {
    const std::string html = renderer.render("see [[Don\u2019t]] ok\n| h |\n|---|").html;
    EXPECT_NE(
        html.find(expected(
            R"(<p data-line="1">see <a class="wikilink" href="mdreader://local{R}/notes/Don%E2%80%99t.md">Don’t</a> ok</p>)")),
        std::string::npos)
        << html;
}

} // namespace
} // namespace notes
