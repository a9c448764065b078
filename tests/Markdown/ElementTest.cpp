#include "Markdown/Elements.hpp"
#include "Markdown/MarkupVisitor.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <type_traits>

namespace markdown {
namespace {

using namespace markdown::testing;

// The tree's typing: what the constructors take and refuse.
static_assert(std::is_constructible_v<Paragraph, Text, Emphasis, Link>);
static_assert(!std::is_constructible_v<Paragraph, Heading>);       // a block in inline content
static_assert(!std::is_constructible_v<BlockQuote, Text>);         // inline content in a block
static_assert(!std::is_constructible_v<Paragraph, Markup>);        // an unknown kind
static_assert(!std::is_constructible_v<Link, std::string, Link>);  // a link in a link
static_assert(!std::is_constructible_v<Link, std::string, Image>); // an image in a link
static_assert(!std::is_constructible_v<UnorderedList, Paragraph>); // lists hold items
static_assert(!std::is_constructible_v<Table::Row, Table::Head>);  // rows hold cells
static_assert(!std::is_constructible_v<DoxygenNote, std::vector<BlockMarkup>, bool>); // no range
static_assert(!std::is_constructible_v<Heading, std::int64_t, std::vector<InlineMarkup>, bool>);
static_assert(!std::is_convertible_v<Table::Body, BlockMarkup>); // a body is no block
static_assert(sizeof(Heading) == sizeof(Markup) && sizeof(BlockMarkup) == sizeof(Markup));

TEST(Element, ConstructionMakesANewRootThatSharesTheChildrensRawNodes) {
    Document parsed = parsedDocument();
    Markup first = *parsed.childAt(0);
    Markup quote = *parsed.childAt(1);
    auto blocks = std::vector<BlockMarkup>{*first.as<BlockMarkup>(), *quote.as<BlockMarkup>()};

    BlockQuote plain(blocks);
    BlockQuote inheriting(blocks, true);
    BlockQuote refusing(blocks, false);
    BlockQuote listed({*first.as<Paragraph>(), *quote.as<BlockQuote>()}, true);
    EXPECT_EQ(plain.range(), std::nullopt);
    EXPECT_EQ(refusing.range(), std::nullopt);
    EXPECT_EQ(inheriting.range(), range(1, 1, 3, 6));
    EXPECT_EQ(listed.range(), range(1, 1, 3, 6));

    EXPECT_EQ(plain.childAt(1)->raw().markup, quote.raw().markup);
    EXPECT_EQ(plain.childAt(1)->raw().metadata.id.rootId, plain.raw().metadata.id.rootId);
    EXPECT_EQ(plain.childAt(1)->raw().metadata.id.childId, 3); // after the paragraph's 2 nodes
    EXPECT_EQ(plain.raw().markup->subtreeCount(), 6);
    EXPECT_FALSE(plain.isIdentical(inheriting));
    EXPECT_TRUE(plain.hasSameStructure(inheriting));
    EXPECT_TRUE(parsed.childAt(1)->isIdentical(quote)); // the other tree is untouched

    for (bool inherit : {false, true}) {
        BlockQuote empty(std::vector<BlockMarkup>{}, inherit);
        EXPECT_EQ(empty.childCount(), 0);
        EXPECT_EQ(empty.raw().markup->subtreeCount(), 1);
        EXPECT_EQ(empty.range(), std::nullopt);
    }
    // Elements without the inheriting forms never take a range.
    auto rangedText = *first.childAt(0)->as<InlineMarkup>();
    ASSERT_TRUE(rangedText.range());
    EXPECT_EQ(Heading(2, rangedText).range(), std::nullopt);
    EXPECT_EQ(Paragraph(rangedText).range(), std::nullopt);
    EXPECT_EQ(Paragraph({rangedText}, true).range(), rangedText.range());
}

TEST(Element, PayloadsOfNewNodesFollowTheirElements) {
    using Data = RawMarkupData;
    auto payload = [](const Markup& markup) { return markup.raw().markup->data(); };
    struct Case {
        Data data;
        Data expected;
    };
    const Case cases[] = {
        {payload(OrderedList(ListItem(std::nullopt))), Data::OrderedList{1}},
        {payload(Table::Cell(0, 3, Text("x"))), Data::TableCell{0, 3}},
        {payload(Link("a.md", Text("a"))), Data::Link{"a.md", std::nullopt}},
        {payload(Image("", "", Text("alt"))), Data::Image{std::nullopt, std::nullopt}},
        {payload(SymbolLink(std::nullopt)), Data::SymbolLink{""}},
        {payload(CodeBlock(std::nullopt, "x\n")), Data::CodeBlock{"x\n", std::nullopt}},
        {payload(InlineAttributes("", Text("a"))), Data::InlineAttributes{""}},
        {payload(BlockDirective("Note")),
         Data::BlockDirective{"Note", std::nullopt, DirectiveArgumentText()}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.data, c.expected) << c.data.description();
}

TEST(Element, TablesPadTheirAlignmentsToTheWidestRow) {
    using A = Table::ColumnAlignment;
    using Alignments = std::vector<std::optional<A>>;
    auto alignmentsOf = [](const Table& table) {
        return table.raw().markup->data().getIf<RawMarkupData::Table>()->columnAlignments;
    };
    Table::Cell cell(Text("x"));
    Table::Head threeCells(cell, cell, cell);
    struct Case {
        Table table;
        Alignments expected;
    };
    const Case cases[] = {
        {Table(Alignments{A::center}, Table::Head(cell, cell),
               Table::Body(Table::Row(cell, cell), Table::Row(cell, cell, cell, cell))),
         Alignments{A::center, std::nullopt, std::nullopt, std::nullopt}},
        {Table(Alignments{A::left, A::right, A::center, A::left}, Table::Head(cell, cell),
               Table::Body()),
         Alignments{A::left, A::right, A::center, A::left}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(alignmentsOf(c.table), c.expected);

    Table table(std::nullopt, threeCells, Table::Body(Table::Row(cell)));
    EXPECT_EQ(table.childCount(), 2);
    EXPECT_EQ(table.childAt(0)->raw().markup, threeCells.raw().markup);
    EXPECT_EQ(table.raw().markup->subtreeCount(), 1 + 7 + 4);
}

TEST(Element, EachKindIsOnlyItsOwnElementType) {
    // Neighbouring kinds that share a shape: table parts and the Doxygen commands.
    const std::pair<RawMarkupData, std::vector<bool>> cases[] = {
        {RawMarkupData::TableRow{}, {true, false, false, false, false}},
        {RawMarkupData::TableHead{}, {false, true, false, false, false}},
        {RawMarkupData::TableBody{}, {false, false, true, false, false}},
        {RawMarkupData::DoxygenNote{}, {false, false, false, true, false}},
        {RawMarkupData::DoxygenAbstract{}, {false, false, false, false, true}},
    };
    for (const auto& [data, expected] : cases) {
        Markup m = makeMarkup(MarkupData::newRoot(rawNode(data)));
        EXPECT_EQ((std::vector<bool>{m.is<Table::Row>(), m.is<Table::Head>(), m.is<Table::Body>(),
                                     m.is<DoxygenNote>(), m.is<DoxygenAbstract>()}),
                  expected)
            << caseName(m.kind());
    }
    Markup row = makeMarkup(MarkupData::newRoot(rawNode(RawMarkupData::TableRow{})));
    auto asRow = row.as<Table::Row>();
    ASSERT_TRUE(asRow);
    EXPECT_TRUE(asRow->isIdentical(row));
    EXPECT_EQ(asRow->raw().markup, row.raw().markup);
    EXPECT_FALSE(row.as<Table::Head>());
}

TEST(Element, InterfacesAreTestedByKind) {
    Paragraph paragraph(Text("a"));
    EXPECT_TRUE(paragraph.is<BlockMarkup>());
    EXPECT_TRUE(paragraph.is<BasicInlineContainer>());
    EXPECT_FALSE(paragraph.is<InlineMarkup>());
    EXPECT_FALSE(Heading(1).is<BasicInlineContainer>());
    EXPECT_TRUE(Heading(1).is<InlineContainer>());
    EXPECT_TRUE(SymbolLink("s").is<InlineMarkup>());
    EXPECT_FALSE(SymbolLink("s").is<RecurringInlineMarkup>());
    EXPECT_TRUE(Strong().is<RecurringInlineMarkup>());
    EXPECT_TRUE(Text("t").is<LiteralMarkup>());
    EXPECT_FALSE(InlineCode("c").is<LiteralMarkup>());
    EXPECT_TRUE(UnorderedList().is<ListItemContainer>());
    EXPECT_TRUE(Table::Head().is<TableCellContainer>());
    EXPECT_FALSE(Table::Body().is<BlockMarkup>());

    Markup any = Emphasis(Text("e"));
    auto inlineValue = any.as<InlineMarkup>();
    ASSERT_TRUE(inlineValue);
    EXPECT_TRUE(Paragraph(*inlineValue).childAt(0)->is<Emphasis>());
    EXPECT_FALSE(any.as<BlockMarkup>());
}

TEST(Element, FromRawChecksTheKind) {
    auto paragraph = rawParagraph({});
    EXPECT_EQ(Paragraph::fromRaw(paragraph).raw().markup, paragraph);
    try {
        (void)Heading::fromRaw(paragraph);
        FAIL() << "a paragraph node became a heading";
    } catch (const RawMarkup::Error& error) {
        EXPECT_EQ(error.errorDescription(), "Can't wrap a paragraph in a Heading");
        EXPECT_EQ(error.from(), paragraph);
    }
    EXPECT_THROW((void)Table::Cell::fromRaw(rawNode(RawMarkupData::TableRow{})), RawMarkup::Error);
}

} // namespace
} // namespace markdown
