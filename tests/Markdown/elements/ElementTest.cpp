#include "Markdown/elements/Elements.hpp"

#include "tests/Markdown/ElementBuilders.hpp"

#include <gtest/gtest.h>

#include "Markdown/elements/Aside.hpp"
#include <tuple>
#include <type_traits>

namespace markdown {
namespace {
using namespace markdown::testing;

// The tree's typing: what the constructors take and refuse.
static_assert(std::is_constructible_v<Paragraph, Text, Emphasis, Link>);
static_assert(!std::is_constructible_v<Paragraph, Heading>);       // a block in inline content
static_assert(!std::is_constructible_v<BlockQuote, Text>);         // inline content in a block
static_assert(!std::is_constructible_v<Link, std::string, Link>);  // a link in a link
static_assert(!std::is_constructible_v<UnorderedList, Paragraph>); // lists hold items
static_assert(!std::is_constructible_v<Table::Row, Table::Head>);  // rows hold cells
static_assert(!std::is_convertible_v<Table::Body, BlockMarkup>);   // a body is no block

TEST(Element, ConstructionMakesANewRootThatSharesTheChildrensRawNodes) {
    Document parsed = parsedDocument();
    Markup first = *parsed.childAt(0);
    Markup quote = *parsed.childAt(1);
    auto blocks = std::vector<BlockMarkup>{*first.as<BlockMarkup>(), *quote.as<BlockMarkup>()};

    BlockQuote plain(blocks);
    BlockQuote inheriting(blocks, true);
    // Elements without the inheriting forms never take a range.
    auto rangedText = *first.childAt(0)->as<InlineMarkup>();
    EXPECT_EQ((Ranges{plain.range(), BlockQuote(blocks, false).range(), inheriting.range(),
                      Heading(2, rangedText).range(), Paragraph(rangedText).range(),
                      Paragraph({rangedText}, true).range()}),
              (Ranges{std::nullopt, std::nullopt, range(1, 1, 3, 6), std::nullopt, std::nullopt,
                      range(1, 1, 1, 4)}));

    EXPECT_EQ(plain.childAt(1)->raw().markup, quote.raw().markup);
    EXPECT_EQ(plain.childAt(1)->raw().metadata.id.rootId, plain.raw().metadata.id.rootId);
    EXPECT_EQ(childIdOf(*plain.childAt(1)), 3); // after the paragraph's 2 nodes
    EXPECT_EQ(plain.raw().markup->subtreeCount(), 6);
    EXPECT_FALSE(plain.isIdentical(inheriting));
    EXPECT_TRUE(plain.hasSameStructure(inheriting));
    EXPECT_TRUE(parsed.childAt(1)->isIdentical(quote)); // the other tree is untouched
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

TEST(ElementDeathTest, PayloadsFollowTheElementsAndEachKindIsOnlyItsOwnType) {
    using Data = RawMarkupData;
    EXPECT_EQ(OrderedList(ListItem(std::nullopt)).raw().markup->data(), Data::OrderedList{1});
    EXPECT_EQ(Table::Cell(0, 3, Text("x")).raw().markup->data(), (Data::TableCell{0, 3}));
    EXPECT_EQ(CodeBlock(std::nullopt, "x\n").raw().markup->data(), (Data::CodeBlock{"x\n", {}}));
    EXPECT_EQ(BlockDirective("Note").raw().markup->data(),
              (Data::BlockDirective{"Note", std::nullopt, DirectiveArgumentText()}));

    // Neighbouring kinds that share a shape: table parts and the Doxygen commands.
    const Markup row = makeMarkup(MarkupData::newRoot(rawNode(RawMarkupData::TableRow{})));
    EXPECT_TRUE(row.is<Table::Row>() && !row.is<Table::Head>() && !row.is<Table::Body>());
    const Markup note = makeMarkup(MarkupData::newRoot(rawNode(RawMarkupData::DoxygenNote{})));
    EXPECT_TRUE(note.is<DoxygenNote>() && !note.is<DoxygenAbstract>() && !note.is<Table::Row>());

    auto paragraph = rawParagraph({});
    EXPECT_EQ(Paragraph::fromRaw(paragraph).raw().markup, paragraph);
    try {
        (void)Heading::fromRaw(paragraph);
        FAIL() << "a paragraph node became a heading";
    } catch (const RawMarkup::Error& error) {
        const std::string message = "Can't wrap a paragraph in a Heading";
        EXPECT_EQ(std::tuple(error.errorDescription(), error.what(), error.from(), error.to()),
                  std::tuple(message, message, paragraph, "Heading"));
    }
    // Only a fault makes an element over a node of another kind; it stops on use.
    const Paragraph empty;
    const std::string message = "\\(rootId: [0-9]+, childId: 0, indexInParent: 0\\) markup "
                                "wrapped unexpected AbsoluteRawMarkup\\(markup: paragraph";
    EXPECT_DEATH((void)wrongly<Heading>(empty).level(), "Fatal error: Heading" + message);
    EXPECT_DEATH(wrongly<BlockDirective>(empty).setName("x"),
                 "Fatal error: BlockDirective" + message);
}

// Links, images and attribute spans hold recurring inline content only; emphasis holds any.
static_assert(!std::is_constructible_v<Image, std::string, std::string, Link>);
static_assert(!std::is_constructible_v<Link, std::string, SymbolLink>);
static_assert(!std::is_constructible_v<InlineAttributes, std::string, InlineAttributes>);
static_assert(!std::is_constructible_v<Link, std::string, std::string, std::vector<InlineMarkup>>);

TEST(InlineElement, ReadsAsPlainTextByItsKindsRuleAndLinksAreAutolinksByTheirText) {
    // A linked image, as the parser builds it: the link reads as the image's alternative text.
    auto image = rawNode(RawMarkupData::Image{"i.png", std::nullopt}, {rawText("logo")});
    auto linkedImage = rawNode(RawMarkupData::Link{"x.md", std::nullopt}, {rawText("a "), image});
    EXPECT_EQ(Link::fromRaw(linkedImage).plainText(), "a logo");
    EXPECT_EQ(InlineCode("a`b").plainText(), "`a`b`");
    EXPECT_EQ(CustomInline("a *b*").plainText(), "a *b*");
    EXPECT_EQ(SymbolLink("x").plainText(), "``x``");
    EXPECT_EQ(Strikethrough(Text("a"), Strong(Text("b"))).plainText(), "~ab~");
    EXPECT_EQ(InlineAttributes("class: x", Text("a"), InlineCode("b")).plainText(), "a`b`");
    EXPECT_EQ(Table::Cell(Text("x"), LineBreak(), Strikethrough(Text("y"))).plainText(), "x\n~y~");

    for (const auto& none : {std::optional<std::string>(), std::optional<std::string>("")}) {
        EXPECT_EQ(SymbolLink(none).destination(), "");
        SymbolLink link("x");
        link.setDestination(none);
        EXPECT_EQ(link.destination(), std::nullopt);
        EXPECT_EQ(link.plainText(), "````");
    }

    // A link is an autolink when its one text child is its destination, canonically.
    EXPECT_TRUE(Link("docs/intro.md", Text("docs/intro.md")).isAutolink());
    EXPECT_TRUE(Link("caf\u00e9", Text("cafe\u0301")).isAutolink());
    EXPECT_FALSE(Link("docs/intro.md", Emphasis(Text("docs/intro.md"))).isAutolink());
    EXPECT_FALSE(Link("docs/intro.md", Text("intro")).isAutolink());
    EXPECT_FALSE(Link(std::nullopt, std::nullopt, std::vector<Text>{Text("")}).isAutolink());
    EXPECT_FALSE(Link("a", Text("a"), Text("a")).isAutolink());
}

using A = Table::ColumnAlignment;
using Alignments = Table::ColumnAlignments;

RawMarkupPtr rawCell(const std::string& text) {
    return rawNode(RawMarkupData::TableCell{1, 1}, {rawText(text)}, range(1, 3, 1, 4));
}

// "| a | b |" over "|:-|-:|" and one row "| c | d |", as parsed, after a paragraph.
Document parsedTable() {
    auto head = rawNode(RawMarkupData::TableHead{}, {rawCell("a"), rawCell("b")});
    auto row = rawNode(RawMarkupData::TableRow{}, {rawCell("c"), rawCell("d")});
    auto body = rawNode(RawMarkupData::TableBody{}, {row}, range(3, 1, 3, 10));
    auto table = RawMarkup::makeTable({A::left, A::right}, range(1, 1, 3, 10), head, body);
    return Document::fromRaw(
        rawNode(RawMarkupData::Document{}, {rawParagraph({rawText("p")}), table}));
}

TEST(Table, PartsStandAtPreOrderPlacesAndAlignmentsPadToTheWidestRowWhenWritten) {
    Table table = *parsedTable().childAt(1)->as<Table>();
    // The table, its head, its body past the head's cells and texts, then the body's cells.
    std::vector<std::int64_t> ids{childIdOf(table), childIdOf(table.head()),
                                  childIdOf(table.body())};
    for (const Table::Row& row : table.body().rows())
        for (const Table::Cell& cell : row.cells())
            ids.push_back(childIdOf(cell));
    EXPECT_EQ(ids, (std::vector<std::int64_t>{3, 4, 9, 11, 13}));
    EXPECT_TRUE(table.head().parent()->isIdentical(table));
    EXPECT_EQ(table.body().indexInParent(), 1);

    const std::pair<Alignments, Alignments> cases[] = {
        {{}, Alignments(2)},
        {{A::center, A::center, A::right}, {A::center, A::center, A::right}},
    };
    for (const auto& [written, expected] : cases) {
        Table rewritten = table;
        rewritten.setColumnAlignments(written);
        EXPECT_EQ(rewritten.columnAlignments(), expected);
        // Only the table node loses its own range.
        EXPECT_EQ((Ranges{rewritten.root().range(), rewritten.body().range()}),
                  (Ranges{std::nullopt, range(3, 1, 3, 10)}));
    }

    // A new table pads too, and shares its parts' nodes.
    Table::Cell cell(Text("x"));
    Table::Head head(cell, cell, cell);
    Table built(Alignments{A::center}, head, Table::Body(Table::Row(cell)));
    EXPECT_EQ(built.columnAlignments(), (Alignments{A::center, std::nullopt, std::nullopt}));
    EXPECT_EQ(built.childAt(0)->raw().markup, head.raw().markup);
    EXPECT_EQ(built.raw().markup->subtreeCount(), 1 + 7 + 4);

    // A body edited on its own leaves the alignments until it is written back.
    Table::Body body = table.body();
    body.appendRow({cell, cell, cell});
    Table above = *body.parent()->as<Table>();
    EXPECT_EQ(above.columnAlignments(), (Alignments{A::left, A::right}));
    EXPECT_EQ(above.maxColumnCount(), 3);
    EXPECT_EQ(body.range(), range(3, 1, 3, 10)); // a child edit keeps the node's own range
    table.setBody(body);
    EXPECT_EQ(table.columnAlignments(), (Alignments{A::left, A::right, std::nullopt}));
    EXPECT_TRUE(Table(std::nullopt, Table::Head(), Table::Body()).isEmpty());
    EXPECT_FALSE(Table(std::nullopt, Table::Head(), Table::Body(Table::Row())).isEmpty());
}

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

// A parsed element of that payload, before and after the write.
template <class E, class Write>
std::pair<Markup, Markup> written(typename E::Payload payload, Write write) {
    E element = parsedBlock<E>(std::move(payload));
    const Markup before = element;
    write(element);
    return {before, element};
}

// Level, start and an image's source compare before they rebuild; every other write rebuilds,
// also to an equal value, and leaves the element and its ancestors without a range.
TEST(Elements, WritesRebuildUnlessTheyCompare) {
    const std::string precomposed = "caf\u00e9";
    using D = RawMarkupData;
    // Before and after, the payload after, and whether the write rebuilt.
    const std::tuple<std::pair<Markup, Markup>, RawMarkupData, bool> cases[] = {
        {written<Heading>({2}, [](auto& e) { e.setLevel(2); }), D::Heading{2}, false},
        {written<OrderedList>({0}, [](auto& e) { e.setStartIndex(0); }), D::OrderedList{0}, false},
        {written<ListItem>({Checkbox::checked}, [](auto& e) { e.setCheckbox(Checkbox::checked); }),
         D::ListItem{Checkbox::checked}, true},
        {written<ListItem>({Checkbox::checked},
                           [](auto& e) { e.setCheckbox(Checkbox::unchecked); }),
         D::ListItem{Checkbox::unchecked}, true},
        {written<CodeBlock>({"x\n", "c"}, [](auto& e) { e.setCode("x\n"); }),
         D::CodeBlock{"x\n", "c"}, true},
        {written<DoxygenParameter>({"count"}, [](auto& e) { e.setName("count"); }),
         D::DoxygenParam{"count"}, true},
        {written<Image>({precomposed, "t"}, [](auto& e) { e.setSource("cafe\u0301"); }),
         D::Image{precomposed, "t"}, false},
        {written<Image>({precomposed, "t"}, [](auto& e) { e.setTitle(""); }),
         D::Image{precomposed, std::nullopt}, true},
        // An empty title is not the absent one held.
        {written<Image>({precomposed, std::nullopt}, [](auto& e) { e.setTitle(""); }),
         D::Image{precomposed, std::nullopt}, true},
        {written<Link>({"b.md", "t"}, [](auto& e) { e.setDestination("b.md"); }),
         D::Link{"b.md", "t"}, true},
        {written<Table::Cell>({1, 1}, [](auto& e) { e.setColspan(1); }), D::TableCell{1, 1}, true},
        {written<Table::Cell>({1, 1}, [](auto& e) { e.setColspan(2); }), D::TableCell{2, 1}, true},
        // A written directive no longer knows where its name stood.
        {written<BlockDirective>(
             {"Tip", SourceLocation(3, 2, noteFile), DirectiveArgumentText("x")},
             [](auto& e) { e.setArgumentText(DirectiveArgumentText("y")); }),
         D::BlockDirective{"Tip", std::nullopt, DirectiveArgumentText("y")}, true},
    };
    for (const auto& [write, expected, rebuilds] : cases) {
        const auto& [before, after] = write;
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

using Segment = DirectiveArgumentText::LineSegment;

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
    for (const auto& [name, endColumn] : names) {
        const RawMarkupData::BlockDirective parsed{name, SourceLocation(3, 2, noteFile), {}};
        EXPECT_EQ(
            BlockDirective::fromRaw(rawNode(parsed)).nameRange(),
            SourceRange(SourceLocation(3, 2, noteFile), SourceLocation(3, endColumn, noteFile)));
    }

    // Made directives know no place; written ones lose theirs, as every write table row shows.
    EXPECT_EQ(BlockDirective("Tip", "x: 1", Paragraph(Text("t"))).nameRange(), std::nullopt);
}

BlockQuote parsedQuote(std::string_view markdown) {
    return *Document::parsing(markdown).childAt(0)->as<BlockQuote>();
}

Text firstText(const Aside& aside) {
    return *aside.content().at(0).childAt(0)->as<Text>();
}

TEST(Aside, TakesTheTagBeforeTheFirstColonCharacterStartsTheTextAfterItAndLeavesTheQuote) {
    using enum Aside::TagRequirement;
    // The kind, or none for no aside, and the first text after the tag with its range.
    const std::tuple<std::string, Aside::TagRequirement, std::optional<std::string>, std::string,
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
