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
static_assert(!std::is_constructible_v<Link, std::string, SymbolLink>);
static_assert(!std::is_constructible_v<InlineAttributes, std::string, InlineAttributes>);
static_assert(!std::is_constructible_v<Link, std::string, std::string, std::vector<InlineMarkup>>);

const std::string precomposed = "caf\u00e9";
const std::string decomposed = "cafe\u0301";

TEST(InlineElement, EveryInlineKindReadsAsPlainTextByItsOwnRule) {
    // A linked image, as the parser builds it: the link reads as the image's alternative text.
    auto image = rawNode(RawMarkupData::Image{"i.png", std::nullopt}, {rawText("logo")});
    auto linkedImage = rawNode(RawMarkupData::Link{"x.md", std::nullopt}, {rawText("a "), image});
    const std::pair<PlainTextConvertibleMarkup, std::string> cases[] = {
        {Text("a b"), "a b"},
        {InlineCode("a`b"), "`a`b`"},
        {SymbolLink("x"), "``x``"},
        {LineBreak(), "\n"},
        {SoftBreak(), " "},
        {Strikethrough(), "~~"},
        {Strikethrough(Text("a"), Strong(Text("b"))), "~ab~"},
        {Link::fromRaw(linkedImage), "a logo"},
        {Image("a.png", "title", Text("a"), Emphasis(Text("b")), SoftBreak()), "ab "},
        {InlineAttributes("class: x", Text("a"), InlineCode("b")), "a`b`"},
        {Table::Cell(Text("x"), LineBreak(), Strikethrough(Text("y"))), "x\n~y~"},
    };
    for (const auto& [element, expected] : cases)
        EXPECT_EQ(element.plainText(), expected) << caseName(element.kind());
}

TEST(InlineElement, ASymbolLinkIsBuiltWithADestinationButCanLoseIt) {
    EXPECT_EQ(SymbolLink(std::nullopt).destination(), "");
    EXPECT_EQ(SymbolLink("").destination(), "");
    for (const auto& none : {std::optional<std::string>(), std::optional<std::string>("")}) {
        SymbolLink link("x");
        link.setDestination(none);
        EXPECT_EQ(link.destination(), std::nullopt);
        EXPECT_EQ(link.plainText(), "````");
    }
}

TEST(InlineElement, ALinkIsAnAutolinkOnlyWhenItsOneTextReadsAsItsDestination) {
    const std::pair<Link, bool> cases[] = {
        {Link("docs/intro.md", Text("docs/intro.md")), true},
        {Link(precomposed, Text(decomposed)), true},
        {Link("docs/intro.md", Text("docs/"), Text("intro.md")), false},
        {Link("docs/intro.md", Emphasis(Text("docs/intro.md"))), false},
        {Link("docs/intro.md", Text("Docs/Intro.md")), false},
    };
    for (const auto& [link, expected] : cases)
        EXPECT_EQ(link.isAutolink(), expected) << link.destination().value_or("(none)");
}

TEST(InlineElement, LinkWritesAlwaysRebuildAndImageWritesOnlyOnChange) {
    auto parsed = [](RawMarkupData data) {
        return rawNode(std::move(data), {rawText("t")}, range(1, 1, 1, 9));
    };
    Image image = Image::fromRaw(parsed(RawMarkupData::Image{precomposed, "t"}));
    Image same = image;
    same.setSource(decomposed); // canonically equal: nothing to do
    EXPECT_TRUE(same.isIdentical(image));
    EXPECT_EQ(same.range(), image.range());
    same.setTitle("");
    EXPECT_EQ(same.title(), std::nullopt);
    EXPECT_EQ(same.range(), std::nullopt);
    Image emptied = same;
    emptied.setTitle(""); // not the absent title held, so it rebuilds
    EXPECT_FALSE(emptied.isIdentical(same));

    Link link = Link::fromRaw(parsed(RawMarkupData::Link{"b.md", "t"}));
    Link retargeted = link;
    retargeted.setDestination("b.md");
    EXPECT_FALSE(retargeted.isIdentical(link));
    EXPECT_EQ(retargeted.range(), std::nullopt);
    EXPECT_EQ(retargeted.title(), "t");
}

} // namespace
} // namespace markdown
