#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace markdown {
namespace {

using namespace markdown::testing;

// Links, images and attribute spans hold recurring inline content only; emphasis holds any.
static_assert(!std::is_constructible_v<Image, std::string, std::string, Link>);
static_assert(!std::is_constructible_v<Image, std::string, std::string, SymbolLink>);
static_assert(!std::is_constructible_v<Link, std::string, InlineAttributes>);
static_assert(!std::is_constructible_v<InlineAttributes, std::string, Image>);
static_assert(!std::is_constructible_v<Link, std::string, std::string, std::vector<InlineMarkup>>);
static_assert(std::is_constructible_v<Strikethrough, SymbolLink, Image>);

const std::string precomposed = "caf\u00e9";
const std::string decomposed = "cafe\u0301";

TEST(InlineElement, ALinkIsAnAutolinkOnlyWhenItsOneTextReadsAsItsDestination) {
    using Children = std::vector<RecurringInlineMarkup>;
    const std::pair<Link, bool> cases[] = {
        {Link("docs/intro.md", Text("docs/intro.md")), true},
        {Link(precomposed, Text(decomposed)), true},
        {Link(std::nullopt, std::nullopt, Children{Text("")}), false},
        {Link("docs/intro.md", Text("docs/"), Text("intro.md")), false},
        {Link("docs/intro.md", Emphasis(Text("docs/intro.md"))), false},
        {Link("docs/intro.md", Text("Docs/Intro.md")), false},
        {Link("docs/intro.md"), false},
    };
    for (const auto& [link, expected] : cases)
        EXPECT_EQ(link.isAutolink(), expected) << link.destination().value_or("(none)");
}

TEST(InlineElement, LinkWritesAlwaysRebuildAndImageWritesOnlyOnChange) {
    auto parsed = [](RawMarkupData data) {
        return rawNode(std::move(data), {rawText("t", range(1, 2, 1, 3))}, range(1, 1, 1, 9));
    };
    Image image = Image::fromRaw(parsed(RawMarkupData::Image{precomposed, "t"}));
    Image same = image;
    same.setSource(decomposed); // canonically equal: nothing to do
    same.setTitle("t");
    EXPECT_TRUE(same.isIdentical(image));
    EXPECT_EQ(same.range(), image.range());
    EXPECT_EQ(same.source(), precomposed);

    Image untitled = image;
    untitled.setTitle("");
    EXPECT_FALSE(untitled.isIdentical(image));
    EXPECT_EQ(untitled.title(), std::nullopt);
    EXPECT_EQ(untitled.range(), std::nullopt);
    Image stillUntitled = untitled;
    stillUntitled.setTitle(""); // differs from the absent title held, so it rebuilds
    EXPECT_FALSE(stillUntitled.isIdentical(untitled));

    Link link = Link::fromRaw(parsed(RawMarkupData::Link{"b.md", "t"}));
    Link retargeted = link;
    retargeted.setDestination("b.md");
    EXPECT_FALSE(retargeted.isIdentical(link));
    EXPECT_EQ(retargeted.range(), std::nullopt);
    retargeted.setTitle("");
    EXPECT_EQ(retargeted.title(), std::nullopt);
    EXPECT_EQ(retargeted.destination(), "b.md");
    EXPECT_EQ(retargeted.childAt(0)->raw().markup, link.childAt(0)->raw().markup);
}

TEST(InlineElement, EveryInlineKindReadsAsPlainTextByItsOwnRule) {
    // A linked image, as the parser builds it: the link reads as the image's alternative text.
    auto image = rawNode(RawMarkupData::Image{"i.png", std::nullopt}, {rawText("logo")});
    auto linkedImage = rawNode(RawMarkupData::Link{"x.md", std::nullopt}, {rawText("a "), image});
    const std::pair<PlainTextConvertibleMarkup, std::string> cases[] = {
        {Text("a b"), "a b"},
        {InlineCode("a`b"), "`a`b`"},
        {InlineHTML("<br/>"), "<br/>"},
        {CustomInline("c"), "c"},
        {SymbolLink("x"), "``x``"},
        {LineBreak(), "\n"},
        {SoftBreak(), " "},
        {Emphasis(), ""},
        {Strong(Text("s"), Emphasis(Text("t"))), "st"},
        {Strikethrough(), "~~"},
        {Strikethrough(Text("a"), Strong(Text("b"))), "~ab~"},
        {Link("https://x.org", Text("t"), Emphasis(Text("u"))), "tu"},
        {Link::fromRaw(linkedImage), "a logo"},
        {Image("a.png", "title", Text("a"), Emphasis(Text("b")), SoftBreak()), "ab "},
        {InlineAttributes("class: x", Text("a"), InlineCode("b")), "a`b`"},
        {Table::Cell(Text("x"), LineBreak(), Strikethrough(Text("y"))), "x\n~y~"},
    };
    for (const auto& [element, expected] : cases)
        EXPECT_EQ(element.plainText(), expected) << caseName(element.kind());
    EXPECT_EQ(Strikethrough(Text("a")).plainText(), "~a~"); // the types' own, the same rule
    EXPECT_EQ(InlineCode("c").plainText(), "`c`");
}

// Sets the value a parsed leaf already holds: the tree is rebuilt all the same.
template <class Leaf, class Value>
void expectRebuiltForTheSameValue(RawMarkupData data, void (Leaf::*set)(Value), Value value) {
    Paragraph paragraph = Paragraph::fromRaw(rawParagraph(
        {rawNode(std::move(data), {}, range(1, 2, 1, 6)), rawText("b", range(1, 6, 1, 7))},
        range(1, 1, 1, 7)));
    Markup before = *paragraph.childAt(0);
    Leaf after = *before.as<Leaf>();
    (after.*set)(std::move(value));
    EXPECT_TRUE(after.hasSameStructure(before));
    EXPECT_EQ(after.range(), std::nullopt);
    EXPECT_EQ(after.parent()->range(), std::nullopt);
    EXPECT_NE(after.root().raw().metadata.id.rootId, paragraph.raw().metadata.id.rootId);
    EXPECT_EQ(after.parent()->childAt(1)->raw().markup, paragraph.childAt(1)->raw().markup);
}

TEST(InlineElement, LeafWritesRebuildTheTreeAlsoForTheValueHeld) {
    expectRebuiltForTheSameValue(RawMarkupData::Text{"x"}, &Text::setString, std::string("x"));
    expectRebuiltForTheSameValue(RawMarkupData::InlineCode{"x"}, &InlineCode::setCode,
                                 std::string("x"));
    expectRebuiltForTheSameValue(RawMarkupData::InlineHTML{"<b>"}, &InlineHTML::setRawHTML,
                                 std::string("<b>"));
    expectRebuiltForTheSameValue(RawMarkupData::SymbolLink{"x"}, &SymbolLink::setDestination,
                                 std::optional<std::string>("x"));
}

TEST(InlineElement, ASymbolLinkIsBuiltWithADestinationButCanLoseIt) {
    EXPECT_EQ(SymbolLink(std::nullopt).destination(), "");
    EXPECT_EQ(SymbolLink(std::nullopt).plainText(), "````");
    EXPECT_EQ(SymbolLink("").destination(), "");
    for (const auto& none : {std::optional<std::string>(), std::optional<std::string>("")}) {
        SymbolLink link("x");
        link.setDestination(none);
        EXPECT_EQ(link.destination(), std::nullopt);
        EXPECT_EQ(link.plainText(), "````");
    }
}

} // namespace
} // namespace markdown
