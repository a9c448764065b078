#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"
#include "StackThread.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;

struct Case {
    std::optional<std::string> own;         // the element type's own plainText, if it has one
    PlainTextConvertibleMarkup convertible; // the same element, read by kind
    std::string expected;
};

template <class E> Case reads(const E& element, std::string expected) {
    return {element.plainText(), element, std::move(expected)};
}

TEST(InlinePlainText, EveryInlineKindHasItsOwnRule) {
    const Case cases[] = {
        reads(Text("a b"), "a b"),
        reads(Text(""), ""),
        reads(InlineCode("a`b"), "`a`b`"),
        reads(InlineHTML("<br/>"), "<br/>"),
        reads(CustomInline("c"), "c"),
        reads(SymbolLink("x"), "``x``"),
        reads(SymbolLink(std::nullopt), "````"),
        reads(LineBreak(), "\n"),
        reads(SoftBreak(), " "),
        reads(Emphasis(), ""),
        reads(Strong(Text("s"), Emphasis(Text("t"))), "st"),
        reads(Strikethrough(), "~~"),
        reads(Strikethrough(Text("a"), Strong(Text("b"))), "~ab~"),
        reads(Link("https://x.org", Text("t"), Emphasis(Text("u"))), "tu"),
        reads(Image("a.png", "title", Text("a"), Emphasis(Text("b")), SoftBreak()), "ab "),
        reads(InlineAttributes("class: x", Text("a"), InlineCode("b")), "a`b`"),
        reads(Table::Cell(Text("x"), LineBreak(), Strikethrough(Text("y"))), "x\n~y~"),
        {std::nullopt, Paragraph(Text("a"), SoftBreak(), Emphasis(Text("b"))), "a b"},
        {std::nullopt, Heading(2, Strong(Text("T")), Text("itle")), "Title"},
    };
    for (const auto& c : cases) {
        if (c.own) {
            EXPECT_EQ(*c.own, c.expected);
        }
        EXPECT_EQ(c.convertible.plainText(), c.expected) << caseName(c.convertible.kind());
    }
}

TEST(InlinePlainText, NestedLinksAndChildrenWithoutPlainTextRead) {
    // A linked image, as the parser builds it: the image's alternative text is the link text.
    auto image = rawNode(RawMarkupData::Image{"i.png", std::nullopt}, {rawText("logo")});
    auto link = Link::fromRaw(
        rawNode(RawMarkupData::Link{"https://x.org", std::nullopt}, {rawText("see "), image}));
    EXPECT_EQ(link.plainText(), "see logo");

    Paragraph paragraph(Text("a"));
    Markup withBlock = paragraph.withUncheckedChildren(std::vector<Markup>{ThematicBreak()});
    EXPECT_EQ(withBlock.as<PlainTextConvertibleMarkup>()->plainText(), "");
}

TEST(InlinePlainText, DeeplyNestedSpansReadOnTheStackOfADesktopMainThread) {
    constexpr int depth = 20000;
    runWithStackSize(desktopStackSize, [] {
        InlineMarkup inner = Text("x");
        for (int level = 0; level < depth; ++level)
            inner = Strikethrough(inner);
        std::string expected = std::string(depth, '~') + "x" + std::string(depth, '~');
        EXPECT_EQ(Paragraph(inner).as<PlainTextConvertibleMarkup>()->plainText(), expected);
        EXPECT_EQ(inner.plainText(), expected);
    });
}

} // namespace
} // namespace markdown
