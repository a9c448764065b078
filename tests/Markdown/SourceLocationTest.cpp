#include "Markdown/Replacement.hpp"
#include "Markdown/SourceRange.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace markdown {
namespace {

const URL notes = URL::fileURL(std::string("/notes/a.md"));

TEST(SourceLocation, OrdersByLineThenColumnWhileEqualityAlsoComparesTheSource) {
    SourceLocation bare(3, 7);
    SourceLocation sourced(3, 7, notes);
    EXPECT_NE(bare, sourced);
    EXPECT_FALSE(bare < sourced);
    EXPECT_FALSE(sourced < bare);
    EXPECT_EQ(sourced, SourceLocation(3, 7, URL::fileURL(std::string("/notes/a.md"))));
    EXPECT_NE(sourced, SourceLocation(3, 7, URL::fileURL(std::string("/notes/b.md"))));

    EXPECT_LT(SourceLocation(2, 3), SourceLocation(2, 4));
    EXPECT_GT(SourceLocation(2, 1), SourceLocation(1, 80));
}

TEST(SourceLocation, HashesConsistentlyWithEquality) {
    std::unordered_set<SourceLocation> locations{
        {3, 7}, {3, 7, notes}, {3, 7, URL::fileURL(std::string("/notes/a.md"))}, {7, 3}};
    EXPECT_EQ(locations.size(), 3u);
    std::unordered_set<SourceRange> ranges{SourceRange({1, 1}, {2, 4}), SourceRange({1, 1}, {2, 4}),
                                           SourceRange({1, 1, notes}, {2, 4})};
    EXPECT_EQ(ranges.size(), 2u);
}

TEST(SourceLocation, TextFormsPrintThePathWhereThereIsOne) {
    const URL empty = URL::fileURL(std::string());
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {SourceLocation(12, 5).description(), "12:5"},
        {SourceLocation(12, 5, notes).description(), "/notes/a.md:12:5"},
        {SourceLocation(12, 5, empty).description(), "12:5"},
        {SourceRange({1, 1}, {1, 1}).diagnosticDescription(true), "1:1"},
        {SourceRange({1, 1, notes}, {2, 4, notes}).diagnosticDescription(true),
         "/notes/a.md:/notes/a.md:1:1-/notes/a.md:2:4"},
        {SourceRange({1, 1, notes}, {2, 4, notes}).diagnosticDescription(false),
         "/notes/a.md:1:1-/notes/a.md:2:4"},
        // Bounds at one place but in different documents still print both.
        {SourceRange({1, 1}, {1, 1, notes}).diagnosticDescription(false), "1:1-/notes/a.md:1:1"},
        {Replacement{SourceRange({3, 5}, {3, 9}), "x"}.description(), "3:5-3:9: fixit: x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

TEST(SourceRangeDeathTest, AReversedRangeStopsTheProgram) {
    EXPECT_DEATH(SourceRange({2, 1}, {1, 5}), "");
    EXPECT_DEATH(SourceRange({1, 9}, {1, 5}), "");
    SourceRange range({1, 5}, {2, 1});
    EXPECT_DEATH(range.setStart({2, 2}), "");
    EXPECT_DEATH(range.setEnd({1, 4}), "");

    range.setStart({2, 1});
    EXPECT_EQ(range.start(), range.end());
    range.setEnd({4, 1});
    EXPECT_EQ(range.upperBound(), SourceLocation(4, 1));
}

} // namespace
} // namespace markdown
