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
}

} // namespace
} // namespace markdown
