#include "notes/InlineText.hpp"
#include "notes/PropertiesBox.hpp"
#include "notes/TypedText.hpp"

#include "FakeResolver.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace notes {
namespace {

using testing::FakeResolver;

struct Case {
    std::string_view text;
    std::string html;
};

class InlineText : public ::testing::Test {
protected:
    InlineText() {
        definitions.set("1", "One.");
        definitions.set("Bob's", "Two.");
        context.footnoteDefs = &definitions;
        context.footnoteOrder = &order;
    }

    std::string write(std::string_view text, bool inLink = false) {
        std::string out;
        writeInlineText(out, text, inLink, context);
        return out;
    }

    FootnoteDefinitions definitions;
    FootnoteOrder order;
    InlineTextContext context;
};

TEST_F(InlineText, EscapesTextAndMarksHighlights) {
    const Case cases[] = {
        {"a < b & 'c'", "a &lt; b &amp; 'c'"},
        {"==important== and ==a <b>==", "<mark>important</mark> and <mark>a &lt;b&gt;</mark>"},
        {"== x == ==a=b== ==x\ny==", "== x == ==a=b== ==x\ny=="},
        {"==[[Note]] https://e.com==", "<mark>[[Note]] https://e.com</mark>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(write(c.text), c.html) << c.text;
}

TEST_F(InlineText, EndsBareAddressesBeforePunctuationAndBlanks) {
    const Case cases[] = {
        {"see https://e.com/a.", R"(see <a href="https://e.com/a">https://e.com/a</a>.)"},
        {"(https://e.com/x) [http://e.com]!",
         R"((<a href="https://e.com/x">https://e.com/x</a>) [<a href="http://e.com">)"
         R"(http://e.com</a>]!)"},
        {"https://e.com/a?b=1&c=2;", R"(<a href="https://e.com/a?b=1&amp;c=2">)"
                                     R"(https://e.com/a?b=1&amp;c=2</a>;)"},
        {"https://e.com/a\u00A0b", "<a href=\"https://e.com/a\">https://e.com/a</a>\u00A0b"},
        {"<https://e.com/\"q\">",
         R"(&lt;<a href="https://e.com/">https://e.com/</a>&quot;q&quot;&gt;)"},
        {"xhttps://e.com https:// ftp://e.com", "xhttps://e.com https:// ftp://e.com"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(write(c.text), c.html) << c.text;
}

TEST_F(InlineText, TakesAddressesAsTypedUnderSmartPunctuation) {
    // The parser turned "--" into "–", "..." into "…" and straight quotes into curly ones.
    const Case cases[] = {
        {"https://example.com/a–b/c…d", R"(<a href="https://example.com/a--b/c...d">)"
                                        R"(https://example.com/a--b/c...d</a>)"},
        {"https://e.com/x—y", R"(<a href="https://e.com/x---y">https://e.com/x---y</a>)"},
        {"see https://e.com/x…", R"(see <a href="https://e.com/x">https://e.com/x</a>…)"},
        {"“https://e.com/q”", R"(“<a href="https://e.com/q">https://e.com/q</a>”)"},
        {"‘https://e.com/it’s’", R"(‘<a href="https://e.com/it's">https://e.com/it's</a>’)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(write(c.text), c.html) << c.text;
}

TEST_F(InlineText, NumbersDefinedFootnoteReferencesOnly) {
    EXPECT_EQ(write("A[^1], B[^Bob’s], C[^1] [^missing] [^a b]"),
              R"(A<sup class="footnote-ref"><a href="#fn-1" id="fnref-1">1</a></sup>, )"
              R"(B<sup class="footnote-ref"><a href="#fn-bobs" id="fnref-bobs">2</a></sup>, )"
              R"(C<sup class="footnote-ref"><a href="#fn-1" id="fnref-1">1</a></sup> )"
              "[^missing] [^a b]");
    EXPECT_EQ(order.labels(), (std::vector<std::string>{"1", "Bob's"}));

    // A footnote body numbers nothing.
    context.footnoteOrder = nullptr;
    EXPECT_EQ(write("[^1]"), "[^1]");
}

TEST_F(InlineText, WritesNoAnchorInsideALink) {
    EXPECT_EQ(write("[[Note]] ![[a.png]] https://e.com ==hi== [^1]", true),
              "[[Note]] ![[a.png]] https://e.com <mark>hi</mark> [^1]");
    EXPECT_TRUE(order.empty());
}

TEST_F(InlineText, FindsWikilinksAndEmbedsWhole) {
    const FakeResolver resolver{{"Bob's notes", "/n/Bob's notes.md"}};
    context.links = WikilinkContext{&resolver, markdown::URL::fileURL(std::string("/n/Index.md"))};
    const Case cases[] = {
        {"see [[Bob’s notes]].",
         R"(see <a class="wikilink" href="mdreader://local/n/Bob's%20notes.md">Bob’s notes</a>.)"},
        {"![[Gone]]",
         R"(<span class="wikilink unresolved" title="No note named “Gone” in this folder">)"
         "Gone</span>"},
        {"[[a]b]] [[a\nb]] [[]]", "[[a]b]] [[a\nb]] [[]]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(write(c.text), c.html) << c.text;
}

TEST_F(InlineText, PropertiesBoxTakesTheFirstFootnoteNumbers) {
    std::string out;
    const auto writeText = [&](std::string_view text) {
        writeInlineText(out, text, false, context);
    };
    writePropertiesBox(out, "source: ==see [^Bob's]==, [^Bob's]", writeText);
    writeText("Body[^1][^Bob's]");
    EXPECT_EQ(out, "<details class=\"frontmatter\"><summary>Properties</summary>\n<table>\n"
                   "<tr><th>source</th><td><mark>see [^Bob's]</mark>, "
                   R"(<sup class="footnote-ref"><a href="#fn-bobs" id="fnref-bobs">1</a></sup>)"
                   "</td></tr>\n</table></details>\n"
                   R"(Body<sup class="footnote-ref"><a href="#fn-1" id="fnref-1">2</a></sup>)"
                   R"(<sup class="footnote-ref"><a href="#fn-bobs" id="fnref-bobs">1</a></sup>)");
}

TEST(TypedText, UndoesTheParsersSubstitutionsAndMapsOffsetsBack) {
    const std::string shown = "“a–b—c…”’‘x";
    const TypedText typed(shown);
    EXPECT_EQ(typed.text(), "\"a--b---c...\"''x");
    EXPECT_EQ(typed.shownOffset(0), 0u);
    EXPECT_EQ(typed.shownOffset(1), 3u); // "a"
    EXPECT_EQ(typed.shownOffset(3), 4u); // the second "-" of "--" stands for the "–"
    EXPECT_EQ(typed.shownOffset(4), 7u); // "b"
    EXPECT_EQ(typed.shownOffset(16), shown.size());
    EXPECT_EQ(typedForm("plain—"), "plain---");
    EXPECT_EQ(typedForm("no change \u2015 \xE2\x80"), "no change \u2015 \xE2\x80");
}

} // namespace
} // namespace notes
