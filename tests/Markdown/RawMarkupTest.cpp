#include "Markdown/RawMarkup.hpp"

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
        {"children differ deep down", heading(1, "x"), heading(1, "y"), false},
        {"NFC and NFD text", rawText("caf\xC3\xA9"), rawText("cafe\xCC\x81"), true},
        {"letter case", rawText("Cafe"), rawText("cafe"), false},
        {"kinds", rawNode(Data::Strong{}), rawNode(Data::Emphasis{}), false},
        {"source absent on one side", image(std::nullopt, "t"), image("s", "t"), false},
        {"alignments", rawNode(Data::Table{{ColumnAlignment::left, std::nullopt}}),
         rawNode(Data::Table{{ColumnAlignment::left}}), false},
        {"name locations in different files",
         rawNode(Data::BlockDirective{"n", SourceLocation(1, 2, URL::fileURL(std::string("a"))),
                                      DirectiveArgumentText("x")}),
         rawNode(Data::BlockDirective{"n", SourceLocation(1, 2, URL::fileURL(std::string("b"))),
                                      DirectiveArgumentText("x")}),
         false},
        {"directive arguments", rawNode(Data::BlockDirective{"n", {}, DirectiveArgumentText("x")}),
         rawNode(Data::BlockDirective{"n", {}, DirectiveArgumentText("x")}), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a->hasSameStructure(*c.b), c.same) << c.what;
        EXPECT_EQ(c.b->hasSameStructure(*c.a), c.same) << c.what;
    }
    auto node = heading(3, "z");
    EXPECT_TRUE(node->hasSameStructure(*node));
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
    EXPECT_DEATH((void)parent->substitutingChild(rawText("b"), -1, false), "");
    EXPECT_DEATH((void)parent->child(1), "");
    EXPECT_DEATH((void)parent->child(-1), "");
}

TEST(RawMarkup, ConversionErrorNamesTheDataAndTheType) {
    struct Case {
        RawMarkupPtr node;
        const char* type;
        const char* text;
    };
    const Case cases[] = {
        {rawNode(RawMarkupData::CodeBlock{"x\n", "swift"}), "Text",
         "Can't wrap a codeBlock(\"x\\n\", language: \"swift\") in a Text"},
        {rawNode(RawMarkupData::Table{{ColumnAlignment::center, std::nullopt}}), "Cell",
         "Can't wrap a table(columnAlignments: [center, nil]) in a Cell"},
    };
    for (const auto& c : cases) {
        auto error = RawMarkup::Error::concreteConversionError(c.node, c.type);
        EXPECT_EQ(error.errorDescription(), c.text);
        EXPECT_STREQ(error.what(), c.text);
        EXPECT_EQ(error.from(), c.node);
        EXPECT_EQ(error.to(), c.type);
    }
}

TEST(RawMarkup, TheRangeAdjusterCanMoveTheRangeOfAFreshNode) {
    auto node = rawText("a", range(1, 1, 1, 2));
    RawMarkup::adjustParsedRangeBeforeSharing(node, range(4, 3, 4, 4));
    EXPECT_EQ(node->parsedRange(), range(4, 3, 4, 4));
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

TEST(RawMarkup, TakesChildrenOutOfASharedBuffer) {
    auto a = rawText("a");
    std::vector<RawMarkupPtr> buffer{rawText("before"), a, rawText("b")};
    auto paragraph = RawMarkup::create(RawMarkupData::Paragraph{}, range(1, 1, 1, 3),
                                       std::span(buffer).subspan(1));
    EXPECT_EQ(paragraph->childCount(), 2);
    EXPECT_EQ(paragraph->subtreeCount(), 3);
    EXPECT_EQ(paragraph->child(0), a);
    EXPECT_EQ(paragraph->parsedRange(), range(1, 1, 1, 3));
    // Moved, not copied: the buffer no longer holds the children.
    EXPECT_NE(buffer[0], nullptr);
    EXPECT_EQ(buffer[1], nullptr);
    EXPECT_EQ(buffer[2], nullptr);
    EXPECT_EQ(a.use_count(), 2);
}

} // namespace
} // namespace markdown
