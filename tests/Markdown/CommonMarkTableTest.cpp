#include "Markdown/CMarkTableState.hpp"
#include "Markdown/CommonMarkConverter.hpp"

#include "RawOutline.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using testing::outline;

TEST(CommonMarkTable, ConvertsHeadBodyAlignmentsAndSpans) {
    const struct {
        const char* what;
        const char* text;
        const char* tree;
    } cases[] = {
        // An empty cell widens its left neighbour; a caret lengthens the cell above.
        {"alignments l, c, r, none; body from its first row to the table's end",
         "| a | b | c | d |\n|:--|:-:|--:|---|\n| 1 || 3 | 4 |\n| ^ | x | y | z |\n",
         R"(document 1:1-4:18
  table(columnAlignments: [left, center, right, nil]) 1:1-4:18
    tableHead 1:1-1:18
      tableCell(colspan: 1, rowspan: 1) 1:2-1:5
        text("a") 1:3-1:4
      tableCell(colspan: 1, rowspan: 1) 1:6-1:9
        text("b") 1:7-1:8
      tableCell(colspan: 1, rowspan: 1) 1:10-1:13
        text("c") 1:11-1:12
      tableCell(colspan: 1, rowspan: 1) 1:14-1:17
        text("d") 1:15-1:16
    tableBody 3:1-4:18
      tableRow 3:1-3:15
        tableCell(colspan: 2, rowspan: 2) 3:2-3:5
          text("1") 3:3-3:4
        tableCell(colspan: 0, rowspan: 1) 3:6
        tableCell(colspan: 1, rowspan: 1) 3:7-3:10
          text("3") 3:8-3:9
        tableCell(colspan: 1, rowspan: 1) 3:11-3:14
          text("4") 3:12-3:13
      tableRow 4:1-4:18
        tableCell(colspan: 1, rowspan: 0) 4:2-4:5
        tableCell(colspan: 1, rowspan: 1) 4:6-4:9
          text("x") 4:7-4:8
        tableCell(colspan: 1, rowspan: 1) 4:10-4:13
          text("y") 4:11-4:12
        tableCell(colspan: 1, rowspan: 1) 4:14-4:17
          text("z") 4:15-4:16
)"},
        {"a table without body rows has an empty body and leaves nothing pending for the next; "
         "cells keep their inlines",
         "| a |\n|---|\n\n| b | c |\n|---|---|\n| *e* `f` [g](h) |\n", R"(document 1:1-6:19
  table(columnAlignments: [nil]) 1:1-2:6
    tableHead 1:1-1:6
      tableCell(colspan: 1, rowspan: 1) 1:2-1:5
        text("a") 1:3-1:4
    tableBody
  table(columnAlignments: [nil, nil]) 4:1-6:19
    tableHead 4:1-4:10
      tableCell(colspan: 1, rowspan: 1) 4:2-4:5
        text("b") 4:3-4:4
      tableCell(colspan: 1, rowspan: 1) 4:6-4:9
        text("c") 4:7-4:8
    tableBody 6:1-6:19
      tableRow 6:1-6:19
        tableCell(colspan: 1, rowspan: 1) 6:2-6:18
          emphasis 6:3-6:6
            text("e") 6:4-6:5
          text(" ") 6:6-6:7
          inlineCode("f") 6:7-6:10
          text(" ") 6:10-6:11
          link(destination: "h", title: nil) 6:11-6:17
            text("g") 6:12-6:13
        tableCell(colspan: 1, rowspan: 1)
)"},
        {"a table in a quote", "> | a | b |\n> |---|---|\n> | 1 | 2 |\n",
         R"(document 1:1-3:12
  blockQuote 1:1-3:12
    table(columnAlignments: [nil, nil]) 1:3-3:12
      tableHead 1:3-1:12
        tableCell(colspan: 1, rowspan: 1) 1:4-1:7
          text("a") 1:5-1:6
        tableCell(colspan: 1, rowspan: 1) 1:8-1:11
          text("b") 1:9-1:10
      tableBody 3:3-3:12
        tableRow 3:3-3:12
          tableCell(colspan: 1, rowspan: 1) 3:4-3:7
            text("1") 3:5-3:6
          tableCell(colspan: 1, rowspan: 1) 3:8-3:11
            text("2") 3:9-3:10
)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outline(parseRawDocument(c.text, std::nullopt, {})), c.tree) << c.what;
}

TEST(CommonMarkTableDeathTest, StopsOnAnAlignmentByteTheParserNeverWrites) {
    EXPECT_DEATH((void)cmarkColumnAlignment('x'),
                 "Unexpected table column character for cmark table: x \\(0x78\\)");
    EXPECT_DEATH((void)cmarkColumnAlignment(0xE9),
                 "Unexpected table column character for cmark table: \u00e9 \\(0xE9\\)");
}

} // namespace
} // namespace markdown
