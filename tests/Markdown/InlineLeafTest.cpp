#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;

// A paragraph of a parsed leaf between two parsed texts.
Paragraph parsedAround(RawMarkupPtr leaf) {
    return Paragraph::fromRaw(
        rawParagraph({rawText("a", range(1, 1, 1, 2)), leaf, rawText("b", range(1, 6, 1, 7))},
                     range(1, 1, 1, 7)));
}

// Sets the value a parsed leaf already holds: the tree is rebuilt all the same.
template <class Leaf, class Value>
void expectRebuiltForTheSameValue(RawMarkupData data, void (Leaf::*set)(Value), Value value) {
    Paragraph paragraph = parsedAround(rawNode(std::move(data), {}, range(1, 2, 1, 6)));
    Markup before = *paragraph.childAt(1);
    Leaf after = *before.as<Leaf>();
    (after.*set)(std::move(value));
    EXPECT_TRUE(after.hasSameStructure(before));
    EXPECT_EQ(after.range(), std::nullopt);
    EXPECT_EQ(after.parent()->range(), std::nullopt); // the ancestors take the new range
    EXPECT_FALSE(after.isIdentical(before));
    EXPECT_NE(after.root().raw().metadata.id.rootId, paragraph.raw().metadata.id.rootId);
    EXPECT_EQ(after.parent()->childAt(2)->raw().markup, paragraph.childAt(2)->raw().markup);
    EXPECT_EQ(paragraph.childAt(1)->range(), range(1, 2, 1, 6)); // the old tree stays
}

TEST(InlineLeaf, EveryWriteRebuildsTheTreeAlsoForTheValueHeld) {
    expectRebuiltForTheSameValue(RawMarkupData::Text{"x"}, &Text::setString, std::string("x"));
    expectRebuiltForTheSameValue(RawMarkupData::InlineCode{"x"}, &InlineCode::setCode,
                                 std::string("x"));
    expectRebuiltForTheSameValue(RawMarkupData::InlineHTML{"<b>"}, &InlineHTML::setRawHTML,
                                 std::string("<b>"));
    expectRebuiltForTheSameValue(RawMarkupData::SymbolLink{"x"}, &SymbolLink::setDestination,
                                 std::optional<std::string>("x"));

    Text text("a");
    text.setString("b");
    EXPECT_EQ(text.string(), "b");
    InlineCode code("a");
    code.setCode("b");
    EXPECT_EQ(code.code(), "b");
    InlineHTML html("<a>");
    html.setRawHTML("<b>");
    EXPECT_EQ(html.rawHTML(), "<b>");
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
