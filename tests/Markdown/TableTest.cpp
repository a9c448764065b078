#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace markdown {
namespace {

using namespace markdown::testing;
using A = Table::ColumnAlignment;
using Alignments = Table::ColumnAlignments;

static_assert(std::is_convertible_v<std::initializer_list<Table::Cell>, Table::Row>);
static_assert(!std::is_constructible_v<Table::Body, Table::Cell>);

RawMarkupPtr rawCell(const std::string& text, std::int64_t column) {
    return rawNode(RawMarkupData::TableCell{1, 1}, {rawText(text, range(1, column, 1, column + 1))},
                   range(1, column, 1, column + 1));
}

// "| a | b |" over "|:-|-:|" and one row "| c | d |", as parsed, after a paragraph.
Document parsedTable() {
    auto head =
        rawNode(RawMarkupData::TableHead{}, {rawCell("a", 3), rawCell("b", 7)}, range(1, 1, 1, 10));
    auto row =
        rawNode(RawMarkupData::TableRow{}, {rawCell("c", 3), rawCell("d", 7)}, range(3, 1, 3, 10));
    auto body = rawNode(RawMarkupData::TableBody{}, {row}, range(3, 1, 3, 10));
    auto table = RawMarkup::makeTable({A::left, A::right}, range(1, 1, 3, 10), head, body);
    return Document::fromRaw(
        rawNode(RawMarkupData::Document{}, {rawParagraph({rawText("p")}), table}));
}

TEST(Table, HeadAndBodyStandAtTheirPreOrderPlaces) {
    Document document = parsedTable();
    Table table = *document.childAt(1)->as<Table>();
    ASSERT_EQ(table.raw().metadata.id.childId, 3); // after the paragraph and its text
    Table::Head head = table.head();
    Table::Body body = table.body();
    EXPECT_EQ(head.raw().metadata.id.childId, 4);
    EXPECT_EQ(head.indexInParent(), 0);
    EXPECT_TRUE(head.parent()->isIdentical(table));
    EXPECT_EQ(body.raw().metadata.id.childId, 4 + 5); // past the head's cells and texts
    EXPECT_EQ(body.indexInParent(), 1);
    EXPECT_EQ(body.raw().metadata.id.rootId, document.raw().metadata.id.rootId);

    std::vector<std::int64_t> cellIds;
    for (const Table::Cell& cell : head.cells()) {
        cellIds.push_back(cell.raw().metadata.id.childId);
        EXPECT_TRUE(cell.parent()->isIdentical(head));
    }
    EXPECT_EQ(cellIds, (std::vector<std::int64_t>{5, 7}));
    std::vector<std::string> texts;
    for (const Table::Row& row : body.rows())
        for (const Table::Cell& cell : row.cells())
            texts.push_back(cell.plainText());
    EXPECT_EQ(texts, (std::vector<std::string>{"c", "d"}));

    Table::Head given(Table::Cell(Text("x")));
    Table built(std::nullopt, given, Table::Body());
    EXPECT_EQ(built.head().raw().markup, given.raw().markup);
    EXPECT_FALSE(built.head().isIdentical(given));
}

TEST(Table, WritesPadTheAlignmentsAndNeverCutThem) {
    Table::Cell cell(Text("x"));
    Table::Row wide(cell, cell, cell, cell);
    struct Case {
        const char* name;
        std::function<void(Table&)> write;
        Alignments expected;
    };
    const Case cases[] = {
        {"empty list", [](Table& t) { t.setColumnAlignments({}); }, Alignments(2)},
        {"longer list",
         [](Table& t) {
             t.setColumnAlignments({A::center, A::center, A::right});
         },
         Alignments{A::center, A::center, A::right}},
        {"wider body", [&](Table& t) { t.setBody(Table::Body(wide)); },
         Alignments{A::left, A::right, std::nullopt, std::nullopt}},
        {"wider head", [&](Table& t) { t.setHead(Table::Head(cell, cell, cell)); },
         Alignments{A::left, A::right, std::nullopt}},
        {"narrower head", [&](Table& t) { t.setHead(Table::Head()); },
         Alignments{A::left, A::right}},
    };
    Document document = parsedTable();
    Table parsed = *document.childAt(1)->as<Table>();
    for (const auto& c : cases) {
        Table table = parsed;
        c.write(table);
        EXPECT_EQ(table.columnAlignments(), c.expected) << c.name;
        EXPECT_EQ(table.range(), std::nullopt) << c.name;
        EXPECT_NE(table.root().raw().metadata.id.rootId, document.raw().metadata.id.rootId);
    }
    Table rebodied = parsed;
    rebodied.setBody(Table::Body(wide));
    EXPECT_EQ(rebodied.head().range(), range(1, 1, 1, 10)); // only the table node loses it
    EXPECT_EQ(parsed.columnAlignments(), (Alignments{A::left, A::right}));
}

TEST(Table, ABodyEditedOutsideItsTableLeavesTheAlignmentsUntilWrittenBack) {
    Document document = parsedTable();
    Table table = *document.childAt(1)->as<Table>();
    Table::Cell cell(Text("x"));

    Table::Body body = table.body();
    body.appendRow(Table::Row(cell, cell, cell));
    Table above = *body.parent()->as<Table>();
    EXPECT_EQ(above.columnAlignments(), (Alignments{A::left, A::right}));
    EXPECT_EQ(above.maxColumnCount(), 3);
    EXPECT_EQ(above.body().childCount(), 2);
    EXPECT_EQ(body.range(), range(3, 1, 3, 10)); // a child edit keeps the node's range
    EXPECT_EQ(table.body().childCount(), 1);

    table.setBody(body);
    EXPECT_EQ(table.columnAlignments(), (Alignments{A::left, A::right, std::nullopt}));
    EXPECT_EQ(table.maxColumnCount(), 3);
}

TEST(Table, EmptinessAndWidthCountCellsNotSpans) {
    Table::Cell spanning(3, 1, Text("x"));
    struct Case {
        Table table;
        std::int64_t maxColumnCount;
        bool isEmpty;
    };
    const Case cases[] = {
        {Table(std::nullopt, Table::Head(), Table::Body()), 0, true},
        {Table(std::nullopt, Table::Head(), Table::Body(Table::Row())), 0, false},
        {Table(std::nullopt, Table::Head(spanning), Table::Body()), 1, false},
        {Table(std::nullopt, Table::Head(spanning),
               Table::Body(Table::Row(), Table::Row({spanning, spanning}))),
         2, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.table.maxColumnCount(), c.maxColumnCount);
        EXPECT_EQ(c.table.isEmpty(), c.isEmpty);
        EXPECT_FALSE(Markup(c.table).isEmpty()); // a table node always has its two parts
    }
}

TEST(Table, CellsKeepTheirSpansAndEveryWriteRebuilds) {
    Table::Cell covered(0, 3, Text("x"));
    EXPECT_EQ(covered.colspan(), 0u);
    EXPECT_EQ(covered.rowspan(), 3u);
    EXPECT_EQ(Table::Cell(Text("a"), Text("b")).colspan(), 1u);

    Table::Cell parsed = Table::Cell::fromRaw(rawCell("c", 3));
    Table::Cell widened = parsed;
    widened.setColspan(2);
    EXPECT_EQ(widened.colspan(), 2u);
    EXPECT_EQ(widened.rowspan(), 1u);
    EXPECT_EQ(widened.range(), std::nullopt);
    EXPECT_EQ(widened.childAt(0)->raw().markup, parsed.childAt(0)->raw().markup);
    Table::Cell again = widened;
    again.setRowspan(1);
    EXPECT_FALSE(again.isIdentical(widened));
    EXPECT_EQ(again.colspan(), 2u);
}

TEST(Table, RowsAndBodiesReplaceRangesOfChildren) {
    auto texts = [](const Table::Row& row) {
        std::string result;
        for (const Table::Cell& cell : row.cells())
            result += cell.plainText();
        return result;
    };
    Table::Cell a(Text("a")), b(Text("b")), c(Text("c"));
    Table::Row listed = {a, b};
    Table::Row sequence(std::vector{a, b});
    EXPECT_TRUE(listed.hasSameStructure(Table::Row(a, b)));
    EXPECT_TRUE(listed.hasSameStructure(sequence));
    EXPECT_FALSE(listed.isIdentical(sequence));

    Table::Row appended = listed;
    appended.appendCell(c);
    EXPECT_EQ(texts(appended), "abc");
    Table::Row inserted = listed;
    inserted.replaceCellsInRange(1, 1, std::vector{c});
    EXPECT_EQ(texts(inserted), "acb");
    Table::Row removed = appended;
    removed.replaceCellsInRange(0, 2, std::vector<Table::Cell>{});
    EXPECT_EQ(texts(removed), "c");
    Table::Row replaced = appended;
    replaced.setCells(std::vector{c, c});
    EXPECT_EQ(texts(replaced), "cc");
    EXPECT_EQ(texts(listed), "ab");

    Table::Body body = parsedTable().childAt(1)->as<Table>()->body();
    body.replaceRowsInRange(0, 1, std::vector{listed, removed});
    EXPECT_EQ(body.childCount(), 2);
    EXPECT_EQ(body.range(), range(3, 1, 3, 10));
    body.setRows(std::vector<Table::Row>{});
    EXPECT_TRUE(body.isEmpty());
}

TEST(TableDeathTest, BrokenShapesStop) {
    Table::Row row(Table::Cell(Text("a")));
    EXPECT_DEATH(row.replaceCellsInRange(1, 2, std::vector<Table::Cell>{}), "");
    EXPECT_DEATH(row.replaceCellsInRange(-1, 0, std::vector<Table::Cell>{}), "");
    Markup odd = Table::Body().withUncheckedChildren(std::vector<Markup>{Table::Head()});
    EXPECT_DEATH((void)*odd.as<Table::Body>()->rows().begin(), "");
    EXPECT_DEATH((void)Table::fromRaw(rawNode(RawMarkupData::Table{})).head(), "");
}

} // namespace
} // namespace markdown
