#include "Markdown/RangeTracker.hpp"
#include "Markdown/RangeAdjuster.hpp"

#include <gtest/gtest.h>

#include <string>

namespace markdown {
namespace {

const URL file = URL::fileURL(std::string("/notes/a.md"));

TEST(RangeTracker, WidensToCoverEveryRangeAdded) {
    RangeTracker tracker{SourceRange({1, 1, file}, {1, 1, file})};
    tracker.add(SourceRange({3, 5}, {4, 2}));
    EXPECT_EQ(tracker.totalRange, SourceRange({1, 1, file}, {4, 2}));
    tracker.add(SourceRange({2, 1}, {3, 9}));
    EXPECT_EQ(tracker.totalRange, SourceRange({1, 1, file}, {4, 2}));
    // Equal bounds: the lower one stays the tracker's own, the upper one is taken.
    tracker.add(SourceRange({1, 1}, {4, 2, file}));
    EXPECT_EQ(tracker.totalRange, SourceRange({1, 1, file}, {4, 2, file}));
    tracker.add(SourceRange({4, 2}, {9, 1}));
    EXPECT_EQ(tracker.totalRange.upperBound(), SourceLocation(9, 1));
}

TEST(RangeAdjuster, MovesRangesOntoTheLinesAndColumnsOfTheInput) {
    RangeAdjuster unindented{10, RangeTracker{SourceRange({1, 1}, {1, 1})}, {0}};
    EXPECT_EQ(unindented.adjust(SourceRange({1, 1}, {1, 6})), SourceRange({10, 1}, {10, 6}));

    RangeAdjuster indented{7, RangeTracker{SourceRange({1, 1}, {1, 1})}, {4, 4, 6}};
    EXPECT_EQ(indented.adjust(SourceRange({1, 1}, {3, 5})), SourceRange({7, 5}, {9, 11}));
    EXPECT_EQ(indented.adjust(SourceRange({2, 3, file}, {2, 3, file})),
              SourceRange({8, 7, file}, {8, 7, file}));
}

TEST(RangeAdjusterDeathTest, ALineOutsideTheRunStops) {
    RangeAdjuster adjuster{1, RangeTracker{SourceRange({1, 1}, {1, 1})}, {0, 0}};
    EXPECT_DEATH((void)adjuster.adjust(SourceRange({1, 1}, {3, 1})),
                 "A range lies outside the parsed line run");
}

} // namespace
} // namespace markdown
