#include "Markdown/Replacement.hpp"
#include "Markdown/SourceRange.hpp"

#include <gtest/gtest.h>

#include "Markdown/CommonMarkConverter.hpp"
#include "Markdown/Elements.hpp"
#include "Markdown/Fatal.hpp"
#include "Markdown/RangeAdjuster.hpp"
#include "Markdown/RangeTracker.hpp"
#include <string>
#include <unordered_set>
#include <vector>

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

TEST(SourceLocation, TextFormsPrintThePathWhereThereIsOne) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {SourceLocation(12, 5).description(), "12:5"},
        {SourceLocation(12, 5, notes).description(), "/notes/a.md:12:5"},
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
    SourceRange range({1, 5}, {2, 1});
    EXPECT_DEATH(range.setStart({2, 2}), "");

    range.setStart({2, 1});
    EXPECT_EQ(range.start(), range.end());
    range.setEnd({4, 1});
    EXPECT_EQ(range.upperBound(), SourceLocation(4, 1));
}

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
}

TEST(RangeAdjusterDeathTest, ALineOutsideTheRunStops) {
    RangeAdjuster adjuster{1, RangeTracker{SourceRange({1, 1}, {1, 1})}, {0, 0}};
    EXPECT_DEATH((void)adjuster.adjust(SourceRange({1, 1}, {3, 1})),
                 "A range lies outside the parsed line run");
}

TEST(FatalDeathTest, PrintsItsMessageAndStops) {
    EXPECT_DEATH(fatal("tree is broken"), "tree is broken");
    EXPECT_DEATH(require(false), "");
    require(true);
}

} // namespace
} // namespace markdown
