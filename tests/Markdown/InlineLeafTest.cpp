#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace markdown {
namespace {

using namespace markdown::testing;

// A paragraph of a parsed leaf between two parsed texts.
Paragraph parsedAround(RawMarkupPtr leaf) {
    return Paragraph::fromRaw(
        rawParagraph({rawText("a", range(1, 1, 1, 2)), leaf, rawText("b", range(1, 6, 1, 7))},
                     range(1, 1, 1, 7)));
}

TEST(InlineLeaf, EveryWriteRebuildsTheTreeAlsoForTheValueHeld) {
    struct Case {
        RawMarkupData data;
        std::function<Markup(Markup)> write; // sets the value the leaf already holds
        std::function<std::string(const Markup&)> read;
    };
    const Case cases[] = {
        {RawMarkupData::Text{"x"},
         [](Markup m) {
             auto leaf = *m.as<Text>();
             leaf.setString("x");
             return leaf;
         },
         [](const Markup& m) { return m.as<Text>()->string(); }},
        {RawMarkupData::InlineCode{"x"},
         [](Markup m) {
             auto leaf = *m.as<InlineCode>();
             leaf.setCode("x");
             return leaf;
         },
         [](const Markup& m) { return m.as<InlineCode>()->code(); }},
        {RawMarkupData::InlineHTML{"x"},
         [](Markup m) {
             auto leaf = *m.as<InlineHTML>();
             leaf.setRawHTML("x");
             return leaf;
         },
         [](const Markup& m) { return m.as<InlineHTML>()->rawHTML(); }},
        {RawMarkupData::SymbolLink{"x"},
         [](Markup m) {
             auto leaf = *m.as<SymbolLink>();
             leaf.setDestination("x");
             return leaf;
         },
         [](const Markup& m) { return *m.as<SymbolLink>()->destination(); }},
    };
    for (const auto& c : cases) {
        Paragraph paragraph = parsedAround(rawNode(c.data, {}, range(1, 2, 1, 6)));
        Markup before = *paragraph.childAt(1);
        Markup after = c.write(before);
        EXPECT_EQ(c.read(after), "x");
        EXPECT_EQ(after.range(), std::nullopt);
        EXPECT_EQ(after.parent()->range(), std::nullopt); // the ancestors take the new range
        EXPECT_FALSE(after.isIdentical(before));
        EXPECT_NE(after.root().raw().metadata.id.rootId, paragraph.raw().metadata.id.rootId);
        EXPECT_EQ(after.parent()->childAt(2)->raw().markup, paragraph.childAt(2)->raw().markup);
        EXPECT_EQ(paragraph.childAt(1)->range(), range(1, 2, 1, 6)); // the old tree stays
    }
    EXPECT_EQ(CustomInline("c").text(), "c");
}

TEST(InlineLeaf, ASymbolLinkIsBuiltWithADestinationButCanLoseIt) {
    EXPECT_EQ(SymbolLink(std::nullopt).destination(), "");
    EXPECT_EQ(SymbolLink("").destination(), "");
    for (const auto& none : {std::optional<std::string>(), std::optional<std::string>("")}) {
        SymbolLink link("x");
        link.setDestination(none);
        EXPECT_EQ(link.destination(), std::nullopt);
        EXPECT_EQ(link.plainText(), "````");
    }
}

TEST(InlineLeaf, LeavesBuiltOneAfterTheOtherAreSeparateTrees) {
    Text first("same");
    Text second("same");
    EXPECT_FALSE(first.isIdentical(second));
    EXPECT_TRUE(first.hasSameStructure(second));
    EXPECT_EQ(first.raw().markup->subtreeCount(), 1);
}

} // namespace
} // namespace markdown
