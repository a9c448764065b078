#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace markdown {
namespace {

using namespace markdown::testing;

// A parsed document whose blocks carry ranges; `payload` is the block under test, at child 1.
template <class E> E parsedBlock(typename E::Payload payload) {
    auto text = rawParagraph({rawText("t", range(2, 1, 2, 2))}, range(2, 1, 2, 2));
    std::vector<RawMarkupPtr> children;
    if (hasInterface(E::markupKind, MarkupInterface::blockContainer))
        children.push_back(text);
    else if (hasInterface(E::markupKind, MarkupInterface::listItemContainer))
        children.push_back(rawNode(RawMarkupData::ListItem{}, {text}, range(2, 1, 2, 2)));
    else if (E::markupKind == RawMarkupKind::heading)
        children.push_back(rawText("h", range(2, 3, 2, 4)));
    auto block = rawNode(std::move(payload), children, range(2, 1, 2, 4));
    auto document = rawNode(RawMarkupData::Document{}, {rawParagraph({}, range(1, 1, 1, 2)), block},
                            range(1, 1, 2, 4));
    return *Document::fromRaw(document).childAt(1)->template as<E>();
}

template <class E> Markup written(E element, const std::function<void(E&)>& write) {
    write(element);
    return element;
}

// Level and start compare before they rebuild; every other write rebuilds, also to an equal
// value, and leaves the element and its ancestors without a range.
TEST(BlockElements, WritesRebuildUnlessTheyCompare) {
    struct Case {
        Markup before;
        Markup after;
        RawMarkupData expected;
        bool rebuilds;
    };
    auto heading = parsedBlock<Heading>({2});
    auto list = parsedBlock<OrderedList>({0});
    auto item = parsedBlock<ListItem>({Checkbox::checked});
    auto code = parsedBlock<CodeBlock>({"x\n", "c"});
    auto html = parsedBlock<HTMLBlock>({"<p>"});
    auto parameter = parsedBlock<DoxygenParameter>({"count"});
    using D = RawMarkupData;
    const Case cases[] = {
        {heading, written<Heading>(heading, [](auto& e) { e.setLevel(2); }), D::Heading{2}, false},
        {heading, written<Heading>(heading, [](auto& e) { e.setLevel(-1); }), D::Heading{-1}, true},
        {list, written<OrderedList>(list, [](auto& e) { e.setStartIndex(0); }), D::OrderedList{0},
         false},
        {item, written<ListItem>(item, [](auto& e) { e.setCheckbox(Checkbox::checked); }),
         D::ListItem{Checkbox::checked}, true},
        {code, written<CodeBlock>(code, [](auto& e) { e.setCode("x\n"); }),
         D::CodeBlock{"x\n", "c"}, true},
        {html, written<HTMLBlock>(html, [](auto& e) { e.setRawHTML("<p>"); }), D::HTMLBlock{"<p>"},
         true},
        {parameter, written<DoxygenParameter>(parameter, [](auto& e) { e.setName("count"); }),
         D::DoxygenParam{"count"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after.raw().markup->data().description());
        EXPECT_EQ(c.after.raw().markup->data(), c.expected);
        EXPECT_EQ(c.after.isIdentical(c.before), !c.rebuilds);
        EXPECT_EQ(c.after.raw().markup == c.before.raw().markup, !c.rebuilds);
        EXPECT_EQ(c.after.range(), c.rebuilds ? std::nullopt : c.before.range());
        EXPECT_EQ(c.after.root().range(), c.rebuilds ? std::nullopt : c.before.root().range());
        EXPECT_EQ(c.after.root().childAt(0)->raw().markup,
                  c.before.root().childAt(0)->raw().markup);
        auto before = c.before.raw().markup->children(), after = c.after.raw().markup->children();
        EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin(), after.end()));
    }
}

// An element of type E wrapped around a node of another kind, which only a fault can make.
template <class E> E wrongly(const Markup& other) {
    struct Wrapper : E {
        explicit Wrapper(const Markup& other) : E(E::fromRaw(rawNode(typename E::Payload{}))) {
            this->replaceData(other.data());
        }
    };
    return Wrapper(other);
}

TEST(BlockElementsDeathTest, APayloadOfAnotherKindStops) {
    Paragraph paragraph;
    const std::string message = "\\(rootId: [0-9]+, childId: 0, indexInParent: 0\\) markup "
                                "wrapped unexpected AbsoluteRawMarkup\\(markup: paragraph";
    EXPECT_DEATH((void)wrongly<Heading>(paragraph).level(), "Fatal error: Heading" + message);
    EXPECT_DEATH(wrongly<BlockDirective>(paragraph).setName("x"),
                 "Fatal error: BlockDirective" + message);
}

} // namespace
} // namespace markdown
