#include "notes/render/InlineText.hpp"

#include "InlineTextPattern.hpp"
#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using Case = std::pair<std::string_view, std::string>;

class InlineText : public ::testing::Test {
protected:
    InlineText() {
        definitions.set("1", "One.");
        definitions.set("Bob's", "Two.");
    }

    std::string write(std::string_view text, bool inLink = false) {
        std::string out;
        writeInlineText(out, TypedText::guessed(text), inLink, {&definitions, &order, {}});
        return out;
    }

    FootnoteDefinitions definitions;
    UsedSlugs ids;
    FootnoteOrder order{ids};
};

TEST_F(InlineText, FindsConstructsUpToTheirBoundariesAndAddressesAsTyped) {
    const Case cases[] = {
        {"a < b & 'c' [[a]b]] [[a\nb]] [[]]", "a &lt; b &amp; 'c' [[a]b]] [[a\nb]] [[]]"},
        {"==important== ==a <b>==", "<mark>important</mark> <mark>a &lt;b&gt;</mark>"},
        {"== x == ==a=b== ==x\ny==", "== x == ==a=b== ==x\ny=="},
        {"see https://e.com/a.", R"(see <a href="https://e.com/a">https://e.com/a</a>.)"},
        {"(https://e.com/x) [http://e.com]!", R"((<a href="https://e.com/x">https://e.com/x</a>))"
                                              R"( [<a href="http://e.com">http://e.com</a>]!)"},
        {"https://e.com/?b=1&c=2;",
         R"(<a href="https://e.com/?b=1&amp;c=2">https://e.com/?b=1&amp;c=2</a>;)"},
        // The parser turned "--" into "–", "---" into "—", "..." into "…", quotes into curly ones:
        // addresses are guessed back as typed.
        {"https://example.com/a–b/c…d—e", R"(<a href="https://example.com/a--b/c...d---e">)"
                                          R"(https://example.com/a--b/c...d---e</a>)"},
        {"“https://e.com/q”", R"(“<a href="https://e.com/q">https://e.com/q</a>”)"},
        {"‘https://e.com/it’s’", R"(‘<a href="https://e.com/it's">https://e.com/it's</a>’)"},
    };
    expectCases(cases, [this](std::string_view text) { return write(text); });
}

TEST(InlineTextSpan, FindsWhatTheFirstPatternFinds) {
    const std::string_view texts[] = {
        "[[a]] ![[b]] !![[c]] ![x]] [[a]b]] [[]] [[x\ny]] [[ [[z]] ]] [[é]]]",
        "[^1] [^a b] [^] [^x]y] [^é\u00A0] [^\u3000x] [^x\u200B] [^[[a]]] [^😀]",
        "==x== ==x == == x== ==a=b== ===a== ==a=== ==\u00A0x== ==x\u2003== ==😀== ==== ==",
        "http://a https://ab. xhttp://ab _http://ab é http://ab éhttp://ab e\u0301http://ab",
        "é\u00ADhttp://ab 1http://ab (http://a.b) http://a\u00A0b http://ab\u3000 \"http://x<y>\"",
        "http://. http://a. http://é. https:/x httpx://a http://ab.,:;'!?)] 😀http://ab",
        "\xFF\xFEhttp://ab http://a\x80. [^\xE2\x82] ==\xC3== \xC3http://ab \xE2\x80http://ab "
        "é\x80http://ab",
    };
    const testing::AcceptSpan filters[] = {
        [](const InlineTextSpan&) { return true; },
        // Refused constructs make way for those starting inside them.
        [](const InlineTextSpan& span) { return span.begin % 3 != 0; },
    };
    for (std::string_view text : texts)
        for (const testing::AcceptSpan& accept : filters)
            EXPECT_EQ(testing::scannedSpans(text, accept), testing::patternSpans(text, accept))
                << text;
}

TEST_F(InlineText, FindsAddressesAfterARunThatOpensWithAQuoteAlone) {
    // A first text of one curly quote typed straight, then a second one typed as shown: what
    // follows the quote lies two bytes further on in the shown text than in the typed one.
    TypedText run;
    run.append("\u2019", "'[see https://e.com/x]", 0);
    run.append("[see https://e.com/x]", "'[see https://e.com/x]", 1);
    std::string out;
    writeInlineText(out, run, false, {&definitions, &order, {}});
    EXPECT_EQ(out, R"(’[see <a href="https://e.com/x">https://e.com/x</a>])");
}

TEST_F(InlineText, NumbersDefinedFootnoteReferencesOutsideLinksOnly) {
    EXPECT_EQ(write("[^1] https://e.com [[Note]] ==hi==", true),
              "[^1] https://e.com [[Note]] <mark>hi</mark>");
    EXPECT_EQ(write("A[^Bob’s], B[^1], C[^Bob’s] [^missing] [^a b]"),
              R"(A<sup class="footnote-ref"><a href="#fn-bobs" id="fnref-bobs">1</a></sup>, )"
              R"(B<sup class="footnote-ref"><a href="#fn-1" id="fnref-1">2</a></sup>, )"
              R"(C<sup class="footnote-ref"><a href="#fn-bobs" id="fnref-bobs-1">1</a></sup> )"
              "[^missing] [^a b]");
    std::vector<std::string> labels;
    for (const Footnote& footnote : order.footnotes())
        labels.push_back(footnote.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Bob's", "1"}));
}

} // namespace
} // namespace notes
