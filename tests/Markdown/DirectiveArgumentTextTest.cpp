#include "Markdown/DirectiveArgumentText.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using Segment = DirectiveArgumentText::LineSegment;

TEST(DirectiveArgumentText, TextBecomesOneSegmentWithoutARange) {
    DirectiveArgumentText arguments("a: 1,\nb: 2");
    ASSERT_EQ(arguments.segments.size(), 1u);
    EXPECT_EQ(arguments.segments[0].untrimmedText, "a: 1,\nb: 2");
    EXPECT_EQ(arguments.segments[0].parseIndex, 0u);
    EXPECT_EQ(arguments.segments[0].range, std::nullopt);

    Segment segment{"@Note(x: 1)", 6, SourceRange({1, 7}, {1, 11})};
    EXPECT_EQ(segment.trimmedText(), "x: 1)");
}

TEST(DirectiveArgumentText, IsEmptyWhenOnlyBlanksAreWritten) {
    struct Case {
        DirectiveArgumentText text;
        bool empty;
    };
    const Case cases[] = {
        {DirectiveArgumentText(), true},
        {DirectiveArgumentText(""), true},
        {DirectiveArgumentText(" \t "), true},
        {DirectiveArgumentText(std::vector<Segment>{{"", 0, {}}, {"  ", 0, {}}}), true},
        {DirectiveArgumentText(std::vector<Segment>{{"", 0, {}}, {" x", 0, {}}}), false},
        // The whole line counts, not only the part after the parse position.
        {DirectiveArgumentText(std::vector<Segment>{{"x  ", 1, {}}}), false},
        {DirectiveArgumentText("\n"), false},
        {DirectiveArgumentText(" \xCC\x81"), false}, // a space with a combining accent
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text.isEmpty(), c.empty);
}

TEST(DirectiveArgumentText, SegmentsCompareTextCanonicallyAndPlacesExactly) {
    Segment composed{"caf\xC3\xA9", 0, SourceRange({1, 1}, {1, 6})};
    Segment decomposed{"cafe\xCC\x81", 0, SourceRange({1, 1}, {1, 6})};
    EXPECT_EQ(composed, decomposed);
    Segment moved = composed;
    moved.parseIndex = 1;
    EXPECT_NE(composed, moved);
    Segment unplaced = composed;
    unplaced.range.reset();
    EXPECT_NE(composed, unplaced);
    EXPECT_EQ(DirectiveArgumentText({composed}), DirectiveArgumentText({decomposed}));
    EXPECT_NE(DirectiveArgumentText({composed}), DirectiveArgumentText({composed, composed}));
}

} // namespace
} // namespace markdown
