#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"
#include "StackThread.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <ranges>
#include <string>
#include <vector>

namespace markdown {
namespace {

using namespace markdown::testing;

static_assert(std::ranges::input_range<TypedChildren<BlockMarkup>>);
static_assert(std::is_constructible_v<BlockQuote, TypedChildren<BlockMarkup>>);
static_assert(sizeof(Paragraph) == sizeof(Markup) && sizeof(InlineContainer) == sizeof(Markup));

std::vector<std::string> texts(const Markup& container) {
    std::vector<std::string> strings;
    for (Markup child : container.children())
        strings.push_back(child.raw().markup->data().getIf<RawMarkupData::Text>()->string);
    return strings;
}

template <class T> std::vector<MarkupIdentifier> identifiers(const T& sequence) {
    std::vector<MarkupIdentifier> ids;
    for (const Markup& element : sequence)
        ids.push_back(element.raw().metadata.id);
    return ids;
}

TEST(ContainerViews, YieldTheChildrenAsForwardIterationDoes) {
    Document document = parsedDocument();
    EXPECT_EQ(identifiers(document.blockChildren()), identifiers(document.children()));
    auto heading = Heading(1, Text("a"), Emphasis(Text("b")));
    EXPECT_EQ(identifiers(heading.inlineChildren()), identifiers(heading.children()));

    Markup list = UnorderedList(ListItem(std::nullopt), ListItem(Checkbox::checked));
    EXPECT_EQ(identifiers(list.as<ListItemContainer>()->listItems()), identifiers(list.children()));
}

TEST(ContainerViewsDeathTest, StopOnReachingAChildOfAnotherKind) {
    auto paragraph = *Paragraph()
                          .withUncheckedChildren(std::vector<Markup>{Text("a"), ThematicBreak()})
                          .as<Paragraph>();
    auto walk = [&] {
        for (const InlineMarkup& child : paragraph.inlineChildren())
            std::cerr << "reached " << caseName(child.kind()) << "\n";
    };
    EXPECT_DEATH(walk(), "reached text\n$");
}

TEST(ChildEdits, ReplaceARunAndKeepTheContainersRange) {
    struct Case {
        std::int64_t from;
        std::int64_t to;
        std::vector<InlineMarkup> children;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {1, 1, {Text("x")}, {"a", "x", "b", "c"}},
        {0, 1, {Text("x"), Text("y")}, {"x", "y", "b", "c"}},
        {3, 3, {Text("x")}, {"a", "b", "c", "x"}},
        {1, 3, {}, {"a"}},
        {0, 3, {}, {}},
    };
    for (const auto& c : cases) {
        Paragraph paragraph = Paragraph::fromRaw(
            rawParagraph({rawText("a"), rawText("b"), rawText("c")}, range(1, 1, 1, 4)));
        Paragraph before = paragraph;
        paragraph.replaceChildrenInRange(c.from, c.to, c.children);
        EXPECT_EQ(texts(paragraph), c.expected);
        EXPECT_EQ(paragraph.range(), range(1, 1, 1, 4));
        EXPECT_NE(paragraph.raw().metadata.id.rootId, before.raw().metadata.id.rootId);
        EXPECT_EQ(texts(before), (std::vector<std::string>{"a", "b", "c"}));
    }
}

TEST(ChildEdits, AncestorsTakeTheEditedContainersRange) {
    Document document = parsedDocument();
    auto quote = *document.childAt(1)->as<BlockQuote>();
    quote.setBlockChildren({ThematicBreak(), HTMLBlock("<hr>")});
    EXPECT_EQ(quote.childCount(), 2);
    EXPECT_EQ(quote.range(), range(3, 1, 3, 6));
    EXPECT_EQ(quote.root().range(), range(3, 1, 3, 6));
    EXPECT_EQ(quote.root().childAt(0)->raw().markup, document.childAt(0)->raw().markup);
    EXPECT_TRUE(document.hasSameStructure(parsedDocument()));

    // An interface value edits itself, not the element it was made from.
    BlockQuote original{Paragraph()};
    BlockContainer container = original;
    container.replaceChildrenInRange(0, 0, {ThematicBreak()});
    EXPECT_EQ(container.childCount(), 2);
    EXPECT_EQ(original.childCount(), 1);
}

TEST(ChildEdits, ListsAppendAndReplaceItems) {
    ListItem first(Checkbox::checked), second(std::nullopt), added(Checkbox::unchecked);
    OrderedList list(first, second);
    OrderedList before = list;
    list.appendItem(added);
    ASSERT_EQ(list.childCount(), 3);
    EXPECT_EQ(list.childAt(2)->raw().markup, added.raw().markup);
    EXPECT_EQ(before.childCount(), 2);
    EXPECT_NE(list.raw().metadata.id.rootId, before.raw().metadata.id.rootId);

    list.replaceItemsInRange(0, 2, {});
    EXPECT_EQ((*list.listItems().begin()).raw().markup, added.raw().markup);
}

TEST(ChildEditsDeathTest, ARunOutsideTheChildrenStops) {
    Paragraph paragraph(Text("a"), Text("b"));
    EXPECT_DEATH(paragraph.replaceChildrenInRange(-1, 0, {Text("x")}), "");
    EXPECT_DEATH(paragraph.replaceChildrenInRange(0, 3, {Text("x")}), "");
    EXPECT_DEATH(paragraph.replaceChildrenInRange(2, 1, {Text("x")}), "");
}

TEST(PlainText, JoinsTheChildrensTextsAndSkipsChildrenWithout) {
    Paragraph unchecked =
        *Paragraph().withUncheckedChildren(std::vector<Markup>{ThematicBreak()}).as<Paragraph>();
    EXPECT_EQ(unchecked.plainText(), "");
    EXPECT_EQ(Heading(1, Emphasis(), Link("a.md")).plainText(), "");
    Paragraph paragraph(Text("a"), SoftBreak(), Emphasis(Text("b")));
    EXPECT_EQ(paragraph.plainText(), "a b");
    Markup heading = Heading(2, Text("x"), Emphasis(Text("y")), Text("z"));
    EXPECT_EQ(heading.as<InlineContainer>()->plainText(), "xyz");
    EXPECT_EQ(heading.as<PlainTextConvertibleMarkup>()->plainText(), "xyz");
}

TEST(PlainText, NestsDeeperThanAStack) {
    runWithStackSize(desktopStackSize, [] {
        InlineMarkup inner = Emphasis();
        for (int level = 1; level < 20000; ++level)
            inner = Emphasis(inner);
        EXPECT_EQ(Paragraph(inner).plainText(), "");
    });
}

} // namespace
} // namespace markdown
