#include "Markdown/AttributeExtension.hpp"
#include "Markdown/CMarkParser.hpp"
#include "tests/Markdown/CMarkTestSupport.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using testing::describeChildren;
using testing::nodesOfType;

constexpr int noteOptions =
    CMarkParser::sourcePositions | CMarkParser::smartPunctuation | CMarkParser::tableCellSpans;

std::string paragraphOf(std::string_view text) {
    const CMarkDocument document = CMarkParser::parse(text, CMarkParser::sourcePositions);
    return describeChildren(document.root().firstChild());
}

TEST(AttributeExtension, TurnsCaretBracketsAndParenthesesIntoAttributeNodes) {
    const struct {
        std::string_view text;
        std::string_view paragraph;
    } cases[] = {
        {"^[a](k)", R"~(attribute[k](text"a"))~"},
        {R"~(^[a](k: "v (w)"))~", R"~(attribute[k: "v (w)"](text"a"))~"},
        {R"~(^[a](k: "x\" )", n: 1))~", R"~(attribute[k: "x\" )", n: 1](text"a"))~"},
        {"^[a ^[b](i)](o)", R"~(attribute[o](text"a " attribute[i](text"b")))~"},
        {"^[*a* [l](/u)](o)", R"~(attribute[o](emph(text"a") text" " link(text"l")))~"},
        {"^[`]`](o)", R"~(attribute[o](code"]"))~"},
        {R"~(^[a\]](o))~", R"~(attribute[o](text"a]"))~"},
        {"^[](o)", "attribute[o]()"},
        {"x^[a](k)y", R"~(text"x" attribute[k](text"a") text"y")~"},
        {"*a ^[b* c](o)", R"~(text"*a " attribute[o](text"b* c"))~"},
        // Not attribute spans: the caret stays text.
        {"^[a]", R"~(text"^[a]")~"},
        {"^[a] (o)", R"~(text"^[a] (o)")~"},
        {"^[a](f(x))", R"~(text"^" link(text"a"))~"},
        {"^[a\nb](o)", R"~(text"^" link(text"a" softbreak text"b"))~"},
        {"^[a](k: \"x\ny\")", R"~(text"^" link(text"a"))~"},
        {"a[^1] b^c", R"~(text"a[^1] b^c")~"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paragraphOf(c.text), c.paragraph) << c.text;
}

TEST(AttributeExtension, PlacesTheNodeAndItsChildrenWhereTheyStand) {
    const CMarkDocument document = CMarkParser::parse("ab ^[cd `e`](f) g", noteOptions);
    const CMarkNode attribute = nodesOfType(document.root(), "attribute").at(0);
    EXPECT_EQ(attribute.position(), (CMarkPosition{1, 4, 1, 15}));
    EXPECT_EQ(attribute.firstChild().position(), (CMarkPosition{1, 6, 1, 8}));
    EXPECT_EQ(nodesOfType(document.root(), "code").at(0).position(), (CMarkPosition{1, 10, 1, 10}));
    EXPECT_EQ(attribute.next().position(), (CMarkPosition{1, 16, 1, 17}));
}

TEST(AttributeExtension, LeavesTheNextLinesWhereTheyStand) {
    const CMarkDocument document = CMarkParser::parse("^[a](b)\nc *d*", noteOptions);
    EXPECT_EQ(nodesOfType(document.root(), "emph").at(0).position(), (CMarkPosition{2, 3, 2, 5}));
}

TEST(AttributeExtension, WorksInTableCellsHeadingsAndQuotes) {
    const CMarkDocument document = CMarkParser::parse(
        "# ^[h](1)\n\n> ^[q](2)\n\n| ^[c](3) | d |\n|---|---|\n| ^[e](4) | f |\n", noteOptions);
    std::vector<std::string_view> attributes;
    for (const CMarkNode node : nodesOfType(document.root(), "attribute"))
        attributes.push_back(*node.attributes());
    EXPECT_EQ(attributes, (std::vector<std::string_view>{"1", "2", "3", "4"}));
}

TEST(AttributeExtension, NestsOnlySoDeep) {
    std::string text = "x";
    for (int level = 0; level < attributeNestingLimit + 1; ++level)
        text = "^[" + text + "](k)";
    const CMarkDocument document = CMarkParser::parse(text, noteOptions);
    EXPECT_EQ(nodesOfType(document.root(), "attribute").size(),
              static_cast<std::size_t>(attributeNestingLimit));
}

TEST(AttributeExtension, ReadsALineFullOfCaretsAsText) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += i % 2 ? "^[" : "^[a](";
    const CMarkDocument document = CMarkParser::parse(text, noteOptions);
    EXPECT_TRUE(nodesOfType(document.root(), "attribute").empty());
}

} // namespace
} // namespace markdown
