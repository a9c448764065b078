#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace markdown {
namespace {

using namespace markdown::testing;
using A = Table::ColumnAlignment;
using Alignments = Table::ColumnAlignments;

RawMarkupPtr rawCell(const std::string& text, std::int64_t column) {
    return rawNode(RawMarkupData::TableCell{1, 1}, {rawText(text)},
                   range(1, column, 1, column + 1));
}

// "| a | b |" over "|:-|-:|" and one row "| c | d |", as parsed, after a paragraph.
Document parsedTable() {
    auto head =
        rawNode(RawMarkupData::TableHead{}, {rawCell("a", 3), rawCell("b", 7)}, range(1, 1, 1, 10));
    auto row = rawNode(RawMarkupData::TableRow{}, {rawCell("c", 3), rawCell("d", 7)});
    auto body = rawNode(RawMarkupData::TableBody{}, {row}, range(3, 1, 3, 10));
    auto table = RawMarkup::makeTable({A::left, A::right}, range(1, 1, 3, 10), head, body);
    return Document::fromRaw(
        rawNode(RawMarkupData::Document{}, {rawParagraph({rawText("p")}), table}));
}

TEST(Table, HeadAndBodyStandAtTheirPreOrderPlaces) {
    Document document = parsedTable();
    Table table = *document.childAt(1)->as<Table>();
    ASSERT_EQ(table.raw().metadata.id.childId, 3);
    Table::Head head = table.head();
    EXPECT_EQ(head.raw().metadata.id.childId, 4);
    EXPECT_TRUE(head.parent()->isIdentical(table));
    EXPECT_EQ(table.body().raw().metadata.id.childId, 4 + 5); // past the head's cells and texts
    EXPECT_EQ(table.body().indexInParent(), 1);

    std::vector<std::int64_t> cellIds;
    for (const Table::Cell& cell : head.cells())
        cellIds.push_back(cell.raw().metadata.id.childId);
    EXPECT_EQ(cellIds, (std::vector<std::int64_t>{5, 7}));
    std::string texts;
    for (const Table::Row& row : table.body().rows())
        for (const Table::Cell& cell : row.cells())
            texts += cell.plainText();
    EXPECT_EQ(texts, "cd");
}

TEST(Table, WritesPadTheAlignmentsAndNeverCutThem) {
    Table::Cell cell(Text("x"));
    const std::pair<std::function<void(Table&)>, Alignments> cases[] = {
        {[](Table& t) { t.setColumnAlignments({}); }, Alignments(2)},
        {[](Table& t) {
             t.setColumnAlignments({A::center, A::center, A::right});
         },
         Alignments{A::center, A::center, A::right}},
        {[&](Table& t) { t.setBody(Table::Body(Table::Row(cell, cell, cell, cell))); },
         Alignments{A::left, A::right, std::nullopt, std::nullopt}},
        {[&](Table& t) { t.setHead(Table::Head(cell, cell, cell)); },
         Alignments{A::left, A::right, std::nullopt}},
        {[](Table& t) { t.setHead(Table::Head()); }, Alignments{A::left, A::right}},
    };
    Document document = parsedTable();
    for (const auto& [write, expected] : cases) {
        Table table = *document.childAt(1)->as<Table>();
        write(table);
        EXPECT_EQ(table.columnAlignments(), expected);
        EXPECT_EQ(table.range(), std::nullopt);
        EXPECT_EQ(table.root().range(), std::nullopt);
    }
    Table realigned = *document.childAt(1)->as<Table>();
    realigned.setColumnAlignments({});
    EXPECT_EQ(realigned.body().range(), range(3, 1, 3, 10)); // only the table node loses its own
}

TEST(Table, ABodyEditedOutsideItsTableLeavesTheAlignmentsUntilWrittenBack) {
    Table table = *parsedTable().childAt(1)->as<Table>();
    Table::Cell cell(Text("x"));
    Table::Body body = table.body();
    body.appendRow(Table::Row(cell, cell, cell));
    Table above = *body.parent()->as<Table>();
    EXPECT_EQ(above.columnAlignments(), (Alignments{A::left, A::right}));
    EXPECT_EQ(above.maxColumnCount(), 3);
    EXPECT_EQ(body.range(), range(3, 1, 3, 10)); // a child edit keeps the node's own range
    EXPECT_EQ(table.body().childCount(), 1);

    table.setBody(body);
    EXPECT_EQ(table.columnAlignments(), (Alignments{A::left, A::right, std::nullopt}));
    EXPECT_FALSE(table.isEmpty());
    EXPECT_TRUE(Table(std::nullopt, Table::Head(), Table::Body()).isEmpty());
    EXPECT_FALSE(Table(std::nullopt, Table::Head(), Table::Body(Table::Row())).isEmpty());
}

TEST(Table, CellsKeepTheirSpansAndEveryWriteRebuilds) {
    Table::Cell covered(0, 3, Text("x"));
    EXPECT_EQ(covered.colspan(), 0u);
    EXPECT_EQ(covered.rowspan(), 3u);
    Table::Cell parsed = Table::Cell::fromRaw(rawCell("c", 3));
    Table::Cell widened = parsed;
    widened.setColspan(2);
    EXPECT_EQ(widened.rowspan(), 1u);
    EXPECT_EQ(widened.range(), std::nullopt);
    EXPECT_EQ(widened.childAt(0)->raw().markup, parsed.childAt(0)->raw().markup);
    Table::Cell again = widened;
    again.setColspan(2);
    EXPECT_FALSE(again.isIdentical(widened));
    // Width counts cells, not the columns they span.
    EXPECT_EQ(Table(std::nullopt, Table::Head(covered), Table::Body()).maxColumnCount(), 1);
}

TEST(Table, RowsReplaceRangesOfCells) {
    auto texts = [](const Table::Row& row) {
        std::string result;
        for (const Table::Cell& cell : row.cells())
            result += cell.plainText();
        return result;
    };
    Table::Cell a(Text("a")), b(Text("b")), c(Text("c"));
    Table::Row listed = {a, b};
    EXPECT_TRUE(listed.hasSameStructure(Table::Row(std::vector{a, b})));
    Table::Row row = listed;
    row.appendCell(c);
    EXPECT_EQ(texts(row), "abc");
    row.replaceCellsInRange(1, 1, std::vector{c});
    EXPECT_EQ(texts(row), "acbc");
    row.replaceCellsInRange(0, 2, std::vector<Table::Cell>{});
    EXPECT_EQ(texts(row), "bc");
    EXPECT_EQ(texts(listed), "ab");
}

TEST(TableDeathTest, BrokenShapesStop) {
    Table::Row row(Table::Cell(Text("a")));
    EXPECT_DEATH(row.replaceCellsInRange(1, 2, std::vector<Table::Cell>{}), "");
    Markup odd = Table::Body().withUncheckedChildren(std::vector{Table::Head()});
    EXPECT_DEATH((void)*odd.as<Table::Body>()->rows().begin(), "");
    EXPECT_DEATH((void)Table::fromRaw(rawNode(RawMarkupData::Table{})).head(), "");
}

} // namespace
} // namespace markdown
