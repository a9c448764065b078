#include "Markdown/elements/Elements.hpp"

#include "tests/Markdown/ElementBuilders.hpp"

#include <gtest/gtest.h>

#include "Markdown/elements/Aside.hpp"
#include "tests/Markdown/RawBuilders.hpp"
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace markdown {
namespace {
using namespace markdown::testing;

// A parsed document whose elements carry ranges; `payload` is the element under test, at child 1.
template <class E> E parsedBlock(typename E::Payload payload) {
    auto text = rawParagraph({rawText("t", range(2, 1, 2, 2))}, range(2, 1, 2, 2));
    std::vector<RawMarkupPtr> children;
    if (hasInterface(E::markupKind, MarkupInterface::blockContainer))
        children.push_back(text);
    else if (hasInterface(E::markupKind, MarkupInterface::listItemContainer))
        children.push_back(rawNode(RawMarkupData::ListItem{}, {text}, range(2, 1, 2, 2)));
    else if (hasInterface(E::markupKind, MarkupInterface::inlineContainer))
        children.push_back(rawText("h", range(2, 3, 2, 4)));
    auto block = rawNode(std::move(payload), children, range(2, 1, 2, 4));
    auto document = rawNode(RawMarkupData::Document{}, {rawParagraph({}, range(1, 1, 1, 2)), block},
                            range(1, 1, 2, 4));
    return *Document::fromRaw(document).childAt(1)->template as<E>();
}

template <class E, class Write> Markup written(E element, Write write) {
    write(element);
    return element;
}

// Level, start and an image's source compare before they rebuild; every other write rebuilds,
// also to an equal value, and leaves the element and its ancestors without a range.
TEST(Elements, WritesRebuildUnlessTheyCompare) {
    auto heading = parsedBlock<Heading>({2});
    auto list = parsedBlock<OrderedList>({0});
    auto item = parsedBlock<ListItem>({Checkbox::checked});
    auto code = parsedBlock<CodeBlock>({"x\n", "c"});
    auto parameter = parsedBlock<DoxygenParameter>({"count"});
    const std::string precomposed = "caf\u00e9";
    auto image = parsedBlock<Image>({precomposed, "t"});
    auto untitled = parsedBlock<Image>({precomposed, std::nullopt});
    auto link = parsedBlock<Link>({"b.md", "t"});
    auto cell = parsedBlock<Table::Cell>({1, 1});
    auto directive = parsedBlock<BlockDirective>(
        {"Tip", SourceLocation(3, 2, noteFile), DirectiveArgumentText("x")});
    using D = RawMarkupData;
    // Before, after, the payload after, and whether the write rebuilt.
    const std::tuple<Markup, Markup, RawMarkupData, bool> cases[] = {
        {heading, written(heading, [](auto& e) { e.setLevel(2); }), D::Heading{2}, false},
        {list, written(list, [](auto& e) { e.setStartIndex(0); }), D::OrderedList{0}, false},
        {item, written(item, [](auto& e) { e.setCheckbox(Checkbox::checked); }),
         D::ListItem{Checkbox::checked}, true},
        {item, written(item, [](auto& e) { e.setCheckbox(Checkbox::unchecked); }),
         D::ListItem{Checkbox::unchecked}, true},
        {code, written(code, [](auto& e) { e.setCode("x\n"); }), D::CodeBlock{"x\n", "c"}, true},
        {parameter, written(parameter, [](auto& e) { e.setName("count"); }),
         D::DoxygenParam{"count"}, true},
        {image, written(image, [](auto& e) { e.setSource("cafe\u0301"); }),
         D::Image{precomposed, "t"}, false},
        {image, written(image, [](auto& e) { e.setTitle(""); }),
         D::Image{precomposed, std::nullopt}, true},
        // An empty title is not the absent one held.
        {untitled, written(untitled, [](auto& e) { e.setTitle(""); }),
         D::Image{precomposed, std::nullopt}, true},
        {link, written(link, [](auto& e) { e.setDestination("b.md"); }), D::Link{"b.md", "t"},
         true},
        {cell, written(cell, [](auto& e) { e.setColspan(1); }), D::TableCell{1, 1}, true},
        {cell, written(cell, [](auto& e) { e.setColspan(2); }), D::TableCell{2, 1}, true},
        // A written directive no longer knows where its name stood.
        {directive,
         written(directive, [](auto& e) { e.setArgumentText(DirectiveArgumentText("y")); }),
         D::BlockDirective{"Tip", std::nullopt, DirectiveArgumentText("y")}, true},
    };
    for (const auto& [before, after, expected, rebuilds] : cases) {
        SCOPED_TRACE(after.raw().markup->data().description());
        EXPECT_EQ(after.raw().markup->data(), expected);
        EXPECT_EQ(after.isIdentical(before), !rebuilds);
        EXPECT_EQ(after.raw().markup == before.raw().markup, !rebuilds);
        EXPECT_EQ(after.range(), rebuilds ? std::nullopt : before.range());
        EXPECT_EQ(after.root().range(), rebuilds ? std::nullopt : before.root().range());
        EXPECT_EQ(after.root().childAt(0)->raw().markup, before.root().childAt(0)->raw().markup);
        auto old = before.raw().markup->children(), now = after.raw().markup->children();
        EXPECT_TRUE(std::equal(old.begin(), old.end(), now.begin(), now.end()));
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

using Segment = DirectiveArgumentText::LineSegment;

const URL& file = noteFile;

// A directive as the parser makes it: a named place, ranged argument lines and a range.
BlockDirective parsedDirective(std::string name) {
    DirectiveArgumentText arguments(std::vector<Segment>{{"@Tip(x: 1)", 5, range(3, 6, 3, 10)}});
    return BlockDirective::fromRaw(rawNode(
        RawMarkupData::BlockDirective{std::move(name), SourceLocation(3, 2, file), arguments},
        {rawParagraph({rawText("t")}, range(4, 1, 4, 2))}, range(3, 1, 5, 2)));
}

TEST(BlockDirective, ArgumentTextIsOneSegmentALineAndNameRangeCountsBytesWhenParsed) {
    // Segments of made directives are whole lines with no place.
    auto segmentsOf = [](std::optional<std::string> text) {
        return BlockDirective("Note", std::move(text), Paragraph()).argumentText().segments;
    };
    EXPECT_TRUE(segmentsOf(std::nullopt).empty());
    EXPECT_EQ(segmentsOf(""), (std::vector<Segment>{{"", 0, {}}}));
    EXPECT_EQ(segmentsOf("a\r\nb"), (std::vector<Segment>{{"a", 0, {}}, {"b", 0, {}}}));
    EXPECT_EQ(segmentsOf("\u2028"), (std::vector<Segment>{{"", 0, {}}, {"", 0, {}}}));

    const std::pair<std::string, std::int64_t> names[] = {
        {"Tip", 5}, {"\u00dcb\u00e9", 7}, {"\u2603", 5}, {"", 2}};
    for (const auto& [name, endColumn] : names)
        EXPECT_EQ(parsedDirective(name).nameRange(),
                  SourceRange(SourceLocation(3, 2, file), SourceLocation(3, endColumn, file)));

    // Made directives know no place; written ones lose theirs, as every write table row shows.
    BlockDirective made("Tip", "x: 1", Paragraph(Text("t")));
    EXPECT_EQ(made.nameLocation(), std::nullopt);
    EXPECT_EQ(made.nameRange(), std::nullopt);
    EXPECT_EQ(made.range(), std::nullopt);
}

using Requirement = Aside::TagRequirement;

BlockQuote parsedQuote(std::string_view markdown) {
    return *Document::parsing(markdown).childAt(0)->as<BlockQuote>();
}

Text firstText(const Aside& aside) {
    return *aside.content().at(0).childAt(0)->as<Text>();
}

TEST(Aside, TakesTheTagBeforeTheFirstColonCharacterStartsTheTextAfterItAndLeavesTheQuote) {
    using enum Requirement;
    // The kind, or none for no aside, and the first text after the tag with its range.
    const std::tuple<std::string, Requirement, std::optional<std::string>, std::string,
                     std::optional<SourceRange>>
        cases[] = {
            {"> Warning:  \tthe disk is full", requireSingleWordTag, "Warning", "the disk is full",
             range(1, 14, 1, 30)},
            // A colon or a space carrying a combining mark is another character.
            {"> a:\u0301b: c", requireSingleWordTag, "a:\u0301b", "c", range(1, 10, 1, 11)},
            {"> Two words: x", requireSingleWordTag, std::nullopt, "", {}},
            {"> Two words: x", tagNotRequired, "Two words", "x", range(1, 14, 1, 15)},
            {"> *Note*: x", requireAnyLengthTag, std::nullopt, "", {}},
            // Columns count bytes.
            {"> \u00d1B: x", tagNotRequired, "\u00d1B", "x", range(1, 8, 1, 9)},
        };
    for (const auto& [markdown, requirement, kind, rest, restRange] : cases) {
        auto aside = Aside::withTagRequirement(parsedQuote(markdown), requirement);
        ASSERT_EQ(aside.has_value(), kind.has_value()) << markdown;
        if (aside) {
            EXPECT_EQ(aside->kind().rawValue, *kind);
            EXPECT_EQ(firstText(*aside).string(), rest);
            EXPECT_EQ(firstText(*aside).range(), restRange);
        }
    }
    // The start never passes the end's column.
    EXPECT_EQ(firstText(Aside(BlockQuote(Paragraph(Text("Tip: x"))))).range(), std::nullopt);

    BlockQuote quote = parsedQuote("> Warning:  \tthe disk is full\n> next *line*");
    Aside aside(quote);
    const Markup& paragraph = aside.content().at(0);
    EXPECT_EQ(paragraph.range(), quote.childAt(0)->range());
    EXPECT_EQ(paragraph.parent()->range(), quote.range());
    EXPECT_EQ(paragraph.childCount(), 4);
    EXPECT_TRUE(paragraph.childAt(3)->hasSameStructure(*quote.childThrough(0, 3)));
    // The quote and its tree are as they were.
    EXPECT_EQ(quote.childThrough(0, 0)->as<Text>()->string(), "Warning:  \tthe disk is full");
    EXPECT_EQ(quote.childThrough(0, 0)->range(), range(1, 3, 1, 30));

    // Without a tag it is a note of the quote as it is.
    BlockQuote untagged = parsedQuote("> *Note*: x\n>\n> more");
    Aside note(untagged);
    EXPECT_EQ(note.kind(), Aside::Kind::note);
    ASSERT_EQ(note.content().size(), 2u);
    EXPECT_TRUE(note.content()[0].isIdentical(*untagged.childAt(0)));
    EXPECT_TRUE(note.content()[1].isIdentical(*untagged.childAt(1)));

    // Kinds compare canonically and space out their display names.
    EXPECT_EQ(Aside::Kind("Caf\u00e9"), Aside::Kind("Cafe\u0301"));
    EXPECT_NE(Aside::Kind("Tip"), Aside::Kind("tip"));
    EXPECT_EQ(Aside::Kind("SeeAlso").displayName(), "See Also");
    EXPECT_EQ(Aside::Kind("NonMutatingVariant").displayName(), "Non-Mutating Variant");
    EXPECT_EQ(Aside::Kind("Anything else").displayName(), "Anything else");
}

} // namespace
} // namespace markdown
