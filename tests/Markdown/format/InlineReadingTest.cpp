#include "Markdown/format/InlineReading.hpp"
#include "Markdown/elements/Elements.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

// Only runs that nothing beside them can change are left unchecked.
TEST(InlineReading, RunsStandClearBetweenSpaceOrPunctuationAndAPlainCharacter) {
    struct Case {
        std::string_view text;
        std::size_t offset;
        std::size_t length;
        bool opening;
        bool clear;
    };
    const Case cases[] = {
        {"a *b* c", 2, 1, true, true},
        {"a *b* c", 4, 1, false, true},
        {"**b.**", 0, 2, true, true},
        {"**b.**", 4, 2, false, true},
        {"(*b*)", 1, 1, true, true},
        {"(*.*)", 1, 1, true, false},      // punctuation on both sides: it may close too
        {"a*b*", 1, 1, true, false},       // a word outside
        {"\\**b*", 2, 1, true, false},     // an escaped asterisk beside it
        {"*b*~~c", 2, 1, false, false},    // tildes the parser looks through
        {"**a**", 1, 1, true, false},      // runs touching runs
        {"*\xC3\xA9*", 0, 1, true, false}, // beyond ASCII: space or punctuation, maybe
        {"a * b", 2, 1, true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(standsClear(c.text, {0, c.offset, c.length, c.opening}), c.clear)
            << c.text << " at " << c.offset;
}

TEST(InlineReading, ReadsBackTheSameInlinesWhereverTextsSplit) {
    const Paragraph paragraph(Emphasis(Text("a")), Text(" "), Text("b"));
    const RawMarkup& node = *paragraph.raw().markup;
    EXPECT_TRUE(readBack("*a* b", node).same);
    EXPECT_TRUE(readBack("_a_ b", node).same);
    EXPECT_FALSE(readBack("**a** b", node).same);
    EXPECT_FALSE(readBack("\\*a\\* b", node).same);
    EXPECT_FALSE(readBack("*a* c", node).same);
    EXPECT_FALSE(readBack("*a*\n\nb", node).same); // two blocks
    EXPECT_FALSE(readBack("# *a* b", node).same);
    // Wrapped text may end its lines anywhere a space stands.
    EXPECT_TRUE(readBack("*a*\nb", node, true).same);
    EXPECT_FALSE(readBack("*a*\nb", node).same);
    EXPECT_FALSE(readBack("*a*\\\nb", node, true).same); // a hard break
    const Paragraph broken(Text("x"), SoftBreak(), Text("y"));
    EXPECT_TRUE(readBack("x y", *broken.raw().markup, true).same);
}

// Word characters outside a run and spaces inside one become references; punctuation, and the
// tildes the parser looks through, stay as they are.
TEST(InlineReading, ReferencesTheCharactersThatWouldFlankRunsBadly) {
    struct Piece {
        std::string_view printed;
        bool run;
    };
    struct Case {
        std::vector<Piece> pieces;
        std::string_view referenced;
    };
    const Case cases[] = {
        {{{"x", false}, {"*", true}, {" y", false}, {"*", true}, {"z \xC3\xA9", false}},
         "&#120;*&#32;y*&#122; \xC3\xA9"},
        {{{"a", false},
          {"~~", false},
          {"*", true},
          {"(b", false},
          {"*", true},
          {"~~", false},
          {"c", false}},
         "&#97;~~*(b*~~&#99;"},
        {{{"\\x", false}, {"*", true}, {"y", false}, {"*", true}}, "&#92;&#120;*y*"},
        {{{"\xC2\xAB", false}, {"_", true}, {"\xC3\xA9", false}, {"_", true}, {".", false}},
         "\xC2\xAB_\xC3\xA9_."},
    };
    for (const Case& c : cases) {
        InlineText text;
        std::vector<DelimiterRunPlace> runs;
        for (const Piece& piece : c.pieces) {
            if (piece.run) {
                runs.push_back({0, text.text().size(), piece.printed.size(), runs.size() % 2 == 0});
                text.appendMarkup(piece.printed);
            } else if (piece.printed.starts_with('~')) {
                text.appendMarkup(piece.printed);
            } else {
                text.appendText(piece.printed, {});
            }
        }
        text.referenceCharacters(charactersToReference(text, runs));
        EXPECT_EQ(text.text(), c.referenced);
    }
    // The spaces left are still where a long line breaks.
    InlineText text;
    text.appendText("x", {});
    text.appendMarkup("*");
    text.appendText(" y", {});
    text.appendMarkup("*");
    text.appendText("z w", {});
    text.referenceCharacters(charactersToReference(
        text, std::vector<DelimiterRunPlace>{{0, 1, 1, true}, {0, 4, 1, false}}));
    EXPECT_EQ(text.laidOut({.wrapping = InlineText::Wrapping{false, 5}}),
              "&#120;*&#32;y*&#122;\nw");
}

} // namespace
} // namespace markdown
