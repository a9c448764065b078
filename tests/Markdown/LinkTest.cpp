#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace markdown {
namespace {

using namespace markdown::testing;
using Children = std::vector<RecurringInlineMarkup>;

// Links, images and attribute spans hold recurring inline content only; emphasis holds any.
static_assert(!std::is_constructible_v<Image, std::string, std::string, Link>);
static_assert(!std::is_constructible_v<Image, std::string, std::string, SymbolLink>);
static_assert(!std::is_constructible_v<Link, std::string, InlineAttributes>);
static_assert(!std::is_constructible_v<InlineAttributes, std::string, Image>);
static_assert(!std::is_constructible_v<Link, std::string, std::string, std::vector<InlineMarkup>>);
static_assert(std::is_constructible_v<InlineAttributes, std::string, Strong, InlineCode>);
static_assert(std::is_constructible_v<Strikethrough, SymbolLink, Image>);

const std::string precomposed = "caf\u00e9";
const std::string decomposed = "cafe\u0301";

TEST(Link, IsAnAutolinkOnlyWhenItsOneTextReadsAsTheDestination) {
    struct Case {
        const char* name;
        Link link;
        bool expected;
    };
    const Case cases[] = {
        {"same text", Link("docs/intro.md", Text("docs/intro.md")), true},
        {"canonically equivalent", Link(precomposed, Text(decomposed)), true},
        {"no destination", Link(std::nullopt, std::nullopt, Children{Text("")}), false},
        {"two texts", Link("docs/intro.md", Text("docs/"), Text("intro.md")), false},
        {"emphasised", Link("docs/intro.md", Emphasis(Text("docs/intro.md"))), false},
        {"other case", Link("docs/intro.md", Text("Docs/Intro.md")), false},
        {"no text", Link("docs/intro.md"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.link.isAutolink(), c.expected) << c.name;
}

// An image and a link with ranges in a paragraph, as parsed.
Paragraph parsedLinks() {
    return Paragraph::fromRaw(
        rawParagraph({rawNode(RawMarkupData::Image{"a.png", "t"},
                              {rawText("alt", range(1, 3, 1, 6))}, range(1, 1, 1, 18)),
                      rawNode(RawMarkupData::Link{"b.md", "t"}, {rawText("b", range(1, 20, 1, 21))},
                              range(1, 19, 1, 28))},
                     range(1, 1, 1, 28)));
}

TEST(Link, LinkWritesAlwaysRebuildAndImageWritesOnlyOnChange) {
    Paragraph paragraph = parsedLinks();
    Image image = *paragraph.childAt(0)->as<Image>();
    Link link = *paragraph.childAt(1)->as<Link>();

    Image sameSource = image;
    sameSource.setSource("a.png");
    sameSource.setTitle("t");
    EXPECT_TRUE(sameSource.isIdentical(image));
    EXPECT_EQ(sameSource.range(), image.range());

    Image equivalent = Image(precomposed, std::nullopt);
    Image rewritten = equivalent;
    rewritten.setSource(decomposed);
    EXPECT_TRUE(rewritten.isIdentical(equivalent));
    EXPECT_EQ(rewritten.source(), precomposed);

    Image emptied = Image(std::nullopt, std::nullopt);
    Image stillNone = emptied;
    stillNone.setSource("");
    EXPECT_FALSE(stillNone.isIdentical(emptied));
    EXPECT_EQ(stillNone.source(), std::nullopt);

    Link sameDestination = link;
    sameDestination.setDestination("b.md");
    EXPECT_FALSE(sameDestination.isIdentical(link));
    EXPECT_EQ(sameDestination.range(), std::nullopt);
    EXPECT_EQ(sameDestination.title(), "t");

    Link retitled = link;
    retitled.setTitle("");
    EXPECT_EQ(retitled.title(), std::nullopt);
    EXPECT_EQ(retitled.destination(), "b.md");
    Markup root = retitled.root();
    EXPECT_NE(root.raw().metadata.id.rootId, paragraph.raw().metadata.id.rootId);
    EXPECT_EQ(root.childAt(0)->raw().markup, image.raw().markup);
    EXPECT_EQ(retitled.childAt(0)->range(), range(1, 20, 1, 21));

    Image untitled = image;
    untitled.setTitle(std::nullopt);
    EXPECT_EQ(untitled.title(), std::nullopt);
    EXPECT_EQ(untitled.source(), "a.png");
    EXPECT_EQ(untitled.range(), std::nullopt);
    EXPECT_EQ(paragraph.childAt(0)->as<Image>()->title(), "t");
}

TEST(Link, AttributeSpansKeepTheirTextAndRebuildOnEveryWrite) {
    InlineAttributes span("", Text("a"));
    EXPECT_EQ(span.attributes(), "");
    InlineAttributes parsed = InlineAttributes::fromRaw(
        rawNode(RawMarkupData::InlineAttributes{"k: v"}, {rawText("a")}, range(1, 1, 1, 12)));
    InlineAttributes rewritten = parsed;
    rewritten.setAttributes("k: v");
    EXPECT_FALSE(rewritten.isIdentical(parsed));
    EXPECT_EQ(rewritten.range(), std::nullopt);
    EXPECT_EQ(rewritten.attributes(), "k: v");
    EXPECT_EQ(rewritten.childAt(0)->raw().markup, parsed.childAt(0)->raw().markup);
}

} // namespace
} // namespace markdown
