#include "Markdown/elements/Elements.hpp"

#include "tests/Markdown/ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

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
    BlockQuote refusing(blocks, false);
    EXPECT_EQ(plain.range(), std::nullopt);
    EXPECT_EQ(refusing.range(), std::nullopt);
    EXPECT_EQ(inheriting.range(), range(1, 1, 3, 6));

    EXPECT_EQ(plain.childAt(1)->raw().markup, quote.raw().markup);
    EXPECT_EQ(plain.childAt(1)->raw().metadata.id.rootId, plain.raw().metadata.id.rootId);
    EXPECT_EQ(plain.childAt(1)->raw().metadata.id.childId, 3); // after the paragraph's 2 nodes
    EXPECT_EQ(plain.raw().markup->subtreeCount(), 6);
    EXPECT_FALSE(plain.isIdentical(inheriting));
    EXPECT_TRUE(plain.hasSameStructure(inheriting));
    EXPECT_TRUE(parsed.childAt(1)->isIdentical(quote)); // the other tree is untouched

    // Elements without the inheriting forms never take a range.
    auto rangedText = *first.childAt(0)->as<InlineMarkup>();
    ASSERT_TRUE(rangedText.range());
    EXPECT_EQ(Heading(2, rangedText).range(), std::nullopt);
    EXPECT_EQ(Paragraph(rangedText).range(), std::nullopt);
    EXPECT_EQ(Paragraph({rangedText}, true).range(), rangedText.range());
}

TEST(Element, PayloadsFollowTheElementsAndEachKindIsOnlyItsOwnTypeAsFromRawChecks) {
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
        EXPECT_EQ(error.errorDescription(), "Can't wrap a paragraph in a Heading");
        EXPECT_STREQ(error.what(), "Can't wrap a paragraph in a Heading");
        EXPECT_EQ(error.from(), paragraph);
        EXPECT_EQ(error.to(), "Heading");
    }
    EXPECT_THROW((void)Table::Cell::fromRaw(rawNode(RawMarkupData::TableRow{})), RawMarkup::Error);
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
    ASSERT_EQ(table.raw().metadata.id.childId, 3);
    EXPECT_EQ(table.head().raw().metadata.id.childId, 4);
    EXPECT_TRUE(table.head().parent()->isIdentical(table));
    EXPECT_EQ(table.body().raw().metadata.id.childId, 4 + 5); // past the head's cells and texts
    EXPECT_EQ(table.body().indexInParent(), 1);
    std::vector<std::int64_t> cellIds;
    for (const Table::Row& row : table.body().rows())
        for (const Table::Cell& cell : row.cells())
            cellIds.push_back(cell.raw().metadata.id.childId);
    EXPECT_EQ(cellIds, (std::vector<std::int64_t>{11, 13}));

    const std::pair<Alignments, Alignments> cases[] = {
        {{}, Alignments(2)},
        {{A::center, A::center, A::right}, {A::center, A::center, A::right}},
    };
    for (const auto& [written, expected] : cases) {
        Table rewritten = table;
        rewritten.setColumnAlignments(written);
        EXPECT_EQ(rewritten.columnAlignments(), expected);
        EXPECT_EQ(rewritten.root().range(), std::nullopt);
        EXPECT_EQ(rewritten.body().range(),
                  range(3, 1, 3, 10)); // only the table node loses its own
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

} // namespace
} // namespace markdown
