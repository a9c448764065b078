#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace markdown {
namespace {

using namespace markdown::testing;
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

TEST(Table, HeadBodyAndCellsStandAtTheirPreOrderPlaces) {
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
}

TEST(Table, WritesPadTheAlignmentsToTheWidestRowAndNeverCutThem) {
    Table::Cell cell(Text("x"));
    const std::pair<std::function<void(Table&)>, Alignments> cases[] = {
        {[](Table& t) { t.setColumnAlignments({}); }, Alignments(2)},
        {[](Table& t) {
             t.setColumnAlignments({A::center, A::center, A::right});
         },
         Alignments{A::center, A::center, A::right}},
        {[&](Table& t) { t.setBody(Table::Body(Table::Row(cell), Table::Row(cell, cell, cell))); },
         Alignments{A::left, A::right, std::nullopt}},
        {[](Table& t) { t.setHead(Table::Head()); }, Alignments{A::left, A::right}},
    };
    for (const auto& [write, expected] : cases) {
        Table table = *parsedTable().childAt(1)->as<Table>();
        write(table);
        EXPECT_EQ(table.columnAlignments(), expected);
        EXPECT_EQ(table.root().range(), std::nullopt);
    }
    Table realigned = *parsedTable().childAt(1)->as<Table>();
    realigned.setColumnAlignments({});
    EXPECT_EQ(realigned.body().range(), range(3, 1, 3, 10)); // only the table node loses its own
}

TEST(Table, ABodyEditedOutsideItsTableLeavesTheAlignmentsUntilWrittenBack) {
    Table table = *parsedTable().childAt(1)->as<Table>();
    Table::Cell cell(Text("x"));
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

TEST(Table, CellsKeepTheirSpansAndEveryWriteRebuilds) {
    Table::Cell covered(0, 3, Text("x"));
    EXPECT_EQ(covered.colspan(), 0u);
    EXPECT_EQ(covered.rowspan(), 3u);
    // Width counts cells, not the columns they span.
    EXPECT_EQ(Table(std::nullopt, Table::Head(covered), Table::Body()).maxColumnCount(), 1);

    Table::Cell parsed = Table::Cell::fromRaw(rawCell("c"));
    Table::Cell widened = parsed;
    widened.setColspan(1);
    EXPECT_FALSE(widened.isIdentical(parsed));
    EXPECT_EQ(widened.range(), std::nullopt);
    widened.setColspan(2);
    EXPECT_EQ(widened.colspan(), 2u);
    EXPECT_EQ(widened.rowspan(), 1u);
    EXPECT_EQ(widened.childAt(0)->raw().markup, parsed.childAt(0)->raw().markup);
}

TEST(Table, RowsReplaceRangesOfCells) {
    Table::Cell a(Text("a")), b(Text("b")), c(Text("c"));
    Table::Row row = {a, b};
    row.appendCell(c);
    row.replaceCellsInRange(0, 1, std::vector{c, c});
    std::string texts;
    for (const Table::Cell& cell : row.cells())
        texts += cell.plainText();
    EXPECT_EQ(texts, "ccbc");
}

} // namespace
} // namespace markdown
