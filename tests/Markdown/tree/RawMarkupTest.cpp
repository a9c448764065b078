#include "Markdown/tree/RawMarkup.hpp"
#include "Markdown/tree/ChildRawMarkups.hpp"

#include "tests/Markdown/ElementBuilders.hpp"
#include "tests/Markdown/StackThread.hpp"

#include "Markdown/cmark/CommonMarkConverter.hpp"
#include "Markdown/directives/RangeAdjuster.hpp"
#include "Markdown/tree/Replacement.hpp"
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>

namespace markdown {
namespace {
using namespace markdown::testing;
const URL& file = noteFile;

TEST(RawMarkupDeathTest, ComparesStructureByKindPayloadAndShapeAndSubstitutesOnlyItsChildren) {
    using Data = RawMarkupData;
    auto directiveIn = [](std::string path) {
        return rawNode(Data::BlockDirective{"n", SourceLocation(1, 2, fileAt(path)),
                                            DirectiveArgumentText("x")});
    };
    // Payloads compare field by field, texts canonically.
    const std::tuple<const char*, RawMarkupPtr, RawMarkupPtr, bool> cases[] = {
        {"ranges differ", rawParagraph({rawText("a", range(1, 1, 1, 2))}, range(1, 1, 1, 2)),
         rawParagraph({rawText("a")}), true},
        {"levels differ", rawNode(Data::Heading{1}, {rawText("x")}),
         rawNode(Data::Heading{2}, {rawText("x")}), false},
        {"NFC and NFD text", rawText("caf\xC3\xA9"), rawText("cafe\xCC\x81"), true},
        {"name locations in different files", directiveIn("a"), directiveIn("b"), false},
        {"kinds differ", rawNode(Data::Paragraph{}), rawNode(Data::Document{}), false},
        {"NFC and NFD language", rawNode(Data::CodeBlock{"x", "\xC3\xA9"}),
         rawNode(Data::CodeBlock{"x", "e\xCC\x81"}), true},
        {"spans swapped", rawNode(Data::TableCell{1, 2}), rawNode(Data::TableCell{2, 1}), false},
        {"no destination and an empty one", rawNode(Data::SymbolLink{std::nullopt}),
         rawNode(Data::SymbolLink{""}), false},
    };
    for (const auto& [what, a, b, same] : cases) {
        EXPECT_EQ(a->hasSameStructure(*b), same) << what;
        EXPECT_EQ(b->hasSameStructure(*a), same) << what;
        EXPECT_EQ(a->data() == b->data(), same) << what;
    }

    auto first = rawText("a", range(1, 1, 1, 2));
    auto second = rawText("b");
    auto parent = rawParagraph({first, second}, range(1, 1, 1, 4));
    auto wide = rawNode(RawMarkupData::Emphasis{}, {rawText("c"), rawText("d")}, range(5, 1, 5, 9));

    auto replaced = parent->substitutingChild(wide, 0, false);
    EXPECT_TRUE(std::ranges::equal(replaced->children(), std::vector{wide, second}));
    EXPECT_EQ(replaced->subtreeCount(), 5);
    EXPECT_EQ(replaced->parsedRange(), range(5, 1, 5, 9));
    EXPECT_EQ(parent->child(0), first); // the original is untouched
    EXPECT_EQ(parent->subtreeCount(), 3);

    EXPECT_EQ(parent->substitutingChild(wide, 1, true)->parsedRange(), range(1, 1, 1, 4));
    EXPECT_EQ(parent->substitutingChild(second, 0, false)->parsedRange(), std::nullopt);
    // An enclosing range comes from the first and the last child only.
    auto on = [](std::int64_t line) { return rawText("t", range(line, 1, line, 5)); };
    using Children = std::vector<RawMarkupPtr>;
    EXPECT_EQ(enclosingSourceRange(Children{}), std::nullopt);
    EXPECT_EQ(enclosingSourceRange(Children{on(1), rawText("t"), on(4)}), range(1, 1, 4, 5));
    // A middle child reaching further is ignored; children out of order are refused, not fatal.
    EXPECT_EQ(enclosingSourceRange(Children{on(1), on(9), on(4)}), range(1, 1, 4, 5));
    EXPECT_EQ(enclosingSourceRange(Children{on(4), on(1)}), std::nullopt);
    // Positions outside the children stop the program.
    EXPECT_DEATH((void)parent->substitutingChild(rawText("b"), 2, false), "");
    EXPECT_DEATH((void)parent->child(2), "");
}

TEST(RawMarkup, DeepTreesCompareAndDropWithoutExhaustingTheStack) {
    runWithStackSize(desktopStackSize, [] {
        auto nest = [](std::string text) {
            RawMarkupPtr node = rawParagraph({rawText(std::move(text))});
            for (int depth = 0; depth < 200000; ++depth)
                node = rawNode(RawMarkupData::BlockQuote{}, {node});
            return node;
        };
        auto a = nest("x");
        EXPECT_TRUE(a->hasSameStructure(*nest("x")));
        EXPECT_FALSE(a->hasSameStructure(*nest("y")));
        EXPECT_EQ(a->subtreeCount(), 200002);
    });
}

TEST(RawMarkup, NodesOutliveTheThreadThatMadeThemAndGoOnAnyThread) {
    auto list = [] {
        std::vector<RawMarkupPtr> items;
        for (int i = 0; i < 5000; ++i)
            items.push_back(rawParagraph({rawText("item " + std::to_string(i))}));
        // Too many children to share a block with other nodes.
        return rawNode(RawMarkupData::Document{}, std::move(items));
    };
    RawMarkupPtr made;
    std::jthread([&made, &list] { made = list(); }).join();
    const RawMarkupPtr kept = made->child(4999);
    std::jthread([&made] { made.reset(); }).join();
    EXPECT_TRUE(kept->hasSameStructure(*list()->child(4999)));
    EXPECT_FALSE(kept->hasSameStructure(*list()->child(4998)));
}

TEST(SourceLocationDeathTest, OrdersByLineThenColumnAndRangesStayInOrderAndInTheirRun) {
    SourceLocation bare(3, 7);
    SourceLocation sourced(3, 7, file);
    EXPECT_NE(bare, sourced);
    EXPECT_FALSE(bare < sourced);
    EXPECT_FALSE(sourced < bare);
    EXPECT_EQ(sourced, SourceLocation(3, 7, fileAt("/notes/a.md")));
    EXPECT_NE(sourced, SourceLocation(3, 7, fileAt("/notes/b.md")));

    EXPECT_LT(SourceLocation(2, 3), SourceLocation(2, 4));
    EXPECT_GT(SourceLocation(2, 1), SourceLocation(1, 80));

    // Text forms print the path where there is one.
    EXPECT_EQ(SourceLocation(12, 5).description(), "12:5");
    EXPECT_EQ(SourceLocation(12, 5, file).description(), "/notes/a.md:12:5");
    const SourceRange twoLines({1, 1, file}, {2, 4, file});
    EXPECT_EQ(twoLines.diagnosticDescription(true), "/notes/a.md:/notes/a.md:1:1-/notes/a.md:2:4");
    EXPECT_EQ(twoLines.diagnosticDescription(false), "/notes/a.md:1:1-/notes/a.md:2:4");
    EXPECT_EQ((Replacement{SourceRange({3, 5}, {3, 9}), "x"}.description()), "3:5-3:9: fixit: x");

    // A tracker widens to cover every range added or moved by an adjuster.
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

    // An adjuster moves every descendant once and widens its tracker.
    // As parsed: paragraph 1:1-1:6 (text, emphasis 1:3-1:6, text), then quote 3:1-3:6 over a
    // list, an item and a paragraph from 3:3 and 3:5.
    const Document parsed = parseString("A *b*\n\n> - c");
    RangeAdjuster adjuster(10, RangeTracker{SourceRange({1, 1, file}, {1, 1, file})}, {4, 0, 2});
    for (const Markup& child : parsed.children())
        adjuster.visit(child);

    // The document itself is not visited.
    EXPECT_EQ(
        rangesIn(parsed),
        (Ranges{range(1, 1, 3, 6), range(10, 5, 10, 10), range(10, 5, 10, 7), range(10, 7, 10, 10),
                range(10, 8, 10, 9), range(12, 3, 12, 8), range(12, 5, 12, 8), range(12, 5, 12, 8),
                range(12, 7, 12, 8), range(12, 7, 12, 8)}));
    EXPECT_EQ(adjuster.ranges.totalRange, SourceRange({1, 1, file}, {12, 8}));
    EXPECT_DEATH((void)adjuster.adjust(SourceRange({1, 1}, {4, 1})),
                 "A range lies outside the parsed line run");

    // A range never ends before it starts.
    EXPECT_DEATH(SourceRange({2, 1}, {1, 5}), "");
    SourceRange range({1, 5}, {2, 1});
    EXPECT_DEATH(range.setStart({2, 2}), "");
    range.setStart({2, 1});
    EXPECT_EQ(range.start(), range.end());
    range.setEnd({4, 1});
    EXPECT_EQ(range.upperBound(), SourceLocation(4, 1));
}

} // namespace
} // namespace markdown
