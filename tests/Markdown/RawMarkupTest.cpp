#include "Markdown/RawMarkup.hpp"
#include "Markdown/ChildRawMarkups.hpp"

#include "RawBuilders.hpp"
#include "StackThread.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;

TEST(RawMarkup, ComparesStructureByKindPayloadAndShapeOnly) {
    using Data = RawMarkupData;
    auto heading = [](std::int64_t level, std::string text) {
        return rawNode(Data::Heading{level}, {rawText(std::move(text))});
    };
    auto image = [](std::optional<std::string> source, std::optional<std::string> title) {
        return rawNode(Data::Image{std::move(source), std::move(title)});
    };
    struct Case {
        const char* what;
        RawMarkupPtr a;
        RawMarkupPtr b;
        bool same;
    };
    const Case cases[] = {
        {"ranges differ", rawParagraph({rawText("a", range(1, 1, 1, 2))}, range(1, 1, 1, 2)),
         rawParagraph({rawText("a")}), true},
        {"levels differ", heading(1, "x"), heading(2, "x"), false},
        {"NFC and NFD text", rawText("caf\xC3\xA9"), rawText("cafe\xCC\x81"), true},
        {"kinds", rawNode(Data::Strong{}), rawNode(Data::Emphasis{}), false},
        {"source absent on one side", image(std::nullopt, "t"), image("s", "t"), false},
        {"name locations in different files",
         rawNode(Data::BlockDirective{"n", SourceLocation(1, 2, URL::fileURL(std::string("a"))),
                                      DirectiveArgumentText("x")}),
         rawNode(Data::BlockDirective{"n", SourceLocation(1, 2, URL::fileURL(std::string("b"))),
                                      DirectiveArgumentText("x")}),
         false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a->hasSameStructure(*c.b), c.same) << c.what;
        EXPECT_EQ(c.b->hasSameStructure(*c.a), c.same) << c.what;
    }
}

TEST(RawMarkup, SubstitutesOneChildAndRecountsTheSubtree) {
    auto first = rawText("a", range(1, 1, 1, 2));
    auto second = rawText("b");
    auto parent = rawParagraph({first, second}, range(1, 1, 1, 4));
    auto wide = rawNode(RawMarkupData::Emphasis{}, {rawText("c"), rawText("d")}, range(5, 1, 5, 9));

    auto replaced = parent->substitutingChild(wide, 0, false);
    EXPECT_EQ(replaced->childCount(), 2);
    EXPECT_EQ(replaced->subtreeCount(), 5);
    EXPECT_EQ(replaced->child(0), wide);
    EXPECT_EQ(replaced->child(1), second);
    EXPECT_EQ(replaced->parsedRange(), range(5, 1, 5, 9));
    EXPECT_EQ(parent->child(0), first); // the original is untouched
    EXPECT_EQ(parent->subtreeCount(), 3);

    EXPECT_EQ(parent->substitutingChild(wide, 1, true)->parsedRange(), range(1, 1, 1, 4));
    EXPECT_EQ(parent->substitutingChild(second, 0, false)->parsedRange(), std::nullopt);
}

TEST(RawMarkupDeathTest, PositionsOutsideTheChildrenStopTheProgram) {
    auto parent = rawParagraph({rawText("a")});
    EXPECT_DEATH((void)parent->substitutingChild(rawText("b"), 1, false), "");
    EXPECT_DEATH((void)parent->child(1), "");
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

TEST(RawMarkupData, EqualityComparesFieldsWithCanonicalText) {
    using Data = RawMarkupData;
    struct Case {
        Data a;
        Data b;
        bool equal;
    };
    const Case cases[] = {
        {Data::Paragraph{}, Data::Document{}, false},
        {Data::Text{"\xC3\xA9"}, Data::Text{"e\xCC\x81"}, true},
        {Data::CodeBlock{"x", "\xC3\xA9"}, Data::CodeBlock{"x", "e\xCC\x81"}, true},
        {Data::TableCell{1, 2}, Data::TableCell{2, 1}, false},
        {Data::SymbolLink{std::nullopt}, Data::SymbolLink{""}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.a.description() << " vs " << c.b.description();
    }
}

using namespace markdown::testing;

TEST(ChildRawMarkups, EnclosingRangeComesFromTheFirstAndLastChildOnly) {
    auto at = [](std::int64_t line) { return rawText("t", range(line, 1, line, 5)); };
    auto bare = rawText("t");
    struct Case {
        std::vector<RawMarkupPtr> children;
        std::optional<SourceRange> expected;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{at(1), bare, at(4)}, range(1, 1, 4, 5)},
        {{at(1), at(9), at(4)}, range(1, 1, 4, 5)}, // a middle child reaching further is ignored
        {{at(4), at(1)}, std::nullopt},             // out of order: refused, not fatal
    };
    for (const auto& c : cases)
        EXPECT_EQ(enclosingSourceRange(c.children), c.expected);
}

} // namespace
} // namespace markdown
