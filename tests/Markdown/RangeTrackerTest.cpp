#include "Markdown/RangeTracker.hpp"
#include "Markdown/CommonMarkConverter.hpp"
#include "Markdown/Elements.hpp"
#include "Markdown/RangeAdjuster.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Every range below the document, in document order; none for an element without one.
std::vector<std::optional<SourceRange>> rangesBelow(const Markup& document) {
    struct Collector : MarkupWalker {
        std::vector<std::optional<SourceRange>> ranges;
        void visit(const Markup& markup) override {
            ranges.push_back(markup.range());
            MarkupWalker::visit(markup);
        }
    } collector;
    for (const Markup& child : document.children())
        collector.visit(child);
    return collector.ranges;
}

TEST(RangeAdjuster, MovesEveryDescendantOnceAndWidensTheTracker) {
    // As parsed: paragraph 1:1-1:6 (text, emphasis 1:3-1:6, text), then quote 3:1-3:6 over a
    // list, an item and a paragraph from 3:3 and 3:5.
    const Document parsed = parseString("A *b*\n\n> - c");
    RangeAdjuster adjuster(10, RangeTracker{SourceRange({1, 1, file}, {1, 1, file})}, {4, 0, 2});
    for (const Markup& child : parsed.children())
        adjuster.visit(child);

    const std::vector<std::optional<SourceRange>> expected = {
        SourceRange({10, 5}, {10, 10}), SourceRange({10, 5}, {10, 7}),
        SourceRange({10, 7}, {10, 10}), SourceRange({10, 8}, {10, 9}),
        SourceRange({12, 3}, {12, 8}),  SourceRange({12, 5}, {12, 8}),
        SourceRange({12, 5}, {12, 8}),  SourceRange({12, 7}, {12, 8}),
        SourceRange({12, 7}, {12, 8}),
    };
    EXPECT_EQ(rangesBelow(parsed), expected);
    EXPECT_EQ(adjuster.ranges.totalRange, SourceRange({1, 1, file}, {12, 8}));
    // The document itself is not visited.
    EXPECT_EQ(parsed.range(), SourceRange({1, 1}, {3, 6}));

    // Elements without a range keep none and leave the tracker alone.
    const Document built(Paragraph(Text("x")));
    adjuster.visit(*built.childAt(0));
    EXPECT_EQ(rangesBelow(built),
              (std::vector<std::optional<SourceRange>>{std::nullopt, std::nullopt}));
    EXPECT_EQ(adjuster.ranges.totalRange, SourceRange({1, 1, file}, {12, 8}));

    // Each walk moves the ranges again.
    const Document twice = parseString("x", file);
    RangeAdjuster shift(1, RangeTracker{SourceRange({1, 1}, {1, 1})}, {2});
    shift.visit(*twice.childAt(0));
    shift.visit(*twice.childAt(0));
    EXPECT_EQ(twice.childAt(0)->range(), SourceRange({1, 5, file}, {1, 6, file}));
}

TEST(RangeAdjusterDeathTest, ALineOutsideTheRunStops) {
    RangeAdjuster adjuster{1, RangeTracker{SourceRange({1, 1}, {1, 1})}, {0, 0}};
    EXPECT_DEATH((void)adjuster.adjust(SourceRange({1, 1}, {3, 1})),
                 "A range lies outside the parsed line run");
}

} // namespace
} // namespace markdown
