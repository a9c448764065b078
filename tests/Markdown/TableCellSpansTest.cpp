#include "Markdown/CMarkParser.hpp"
#include "tests/Markdown/CMarkTestSupport.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using testing::describeChildren;
using testing::nodesOfType;

// The rows of every table, one string each: a cell is "colspan x rowspan" followed by its
// content when it has any ("1x1 a | 0x1 | 2x1 b").
std::vector<std::string> gridOf(std::string_view text, int options = CMarkParser::tableCellSpans) {
    const CMarkDocument document = CMarkParser::parse(text, options);
    std::vector<std::string> rows;
    for (const std::string_view rowType : {"table_header", "table_row"}) {
        for (const CMarkNode row : nodesOfType(document.root(), rowType)) {
            std::string cells;
            for (CMarkNode cell = row.firstChild(); cell; cell = cell.next()) {
                cells += cells.empty() ? "" : " | ";
                cells += std::to_string(cell.colspan()) + 'x' + std::to_string(cell.rowspan());
                if (cell.firstChild())
                    cells += ' ' + describeChildren(cell);
            }
            rows.push_back(cells);
        }
    }
    return rows;
}

TEST(TableCellSpans, EmptyCellsWidenAndCaretsLengthen) {
    const struct {
        std::string_view what;
        std::string_view text;
        std::vector<std::string> rows; // the header rows of all tables first
    } cases[] = {
        {"a cell over three columns",
         "| a | b | c |\n|---|---|---|\n| x |||\n",
         {R"(1x1 text"a" | 1x1 text"b" | 1x1 text"c")", R"(3x1 text"x" | 0x1 | 0x1)"}},
        {"header cells span too",
         "| a || c |\n|---|---|---|\n",
         {R"(2x1 text"a" | 0x1 | 1x1 text"c")"}},
        {"blanks make an ordinary empty cell",
         "| a | b |\n|---|---|\n| x |   |\n",
         {R"(1x1 text"a" | 1x1 text"b")", R"(1x1 text"x" | 1x1)"}},
        {"a cell over three rows",
         "| h | i |\n|---|---|\n| a | b |\n| ^ | c |\n|  ^  | d |\n",
         {R"(1x1 text"h" | 1x1 text"i")", R"(1x3 text"a" | 1x1 text"b")", R"(1x0 | 1x1 text"c")",
          R"(1x0 | 1x1 text"d")"}},
        {"a block over two rows and two columns",
         "| h | i | j |\n|---|---|---|\n| a || b |\n| ^ || c |\n",
         {R"(1x1 text"h" | 1x1 text"i" | 1x1 text"j")", R"(2x2 text"a" | 0x1 | 1x1 text"b")",
          R"(2x0 | 0x1 | 1x1 text"c")"}},
        {"nothing left of the first cell to widen",
         "| h | i |\n|---|---|\n|| x |\n",
         {R"(1x1 text"h" | 1x1 text"i")", R"(1x1 | 1x1 text"x")"}},
        {"nothing above the first body row to lengthen",
         "| ^ | i |\n|---|---|\n| ^ | x |\n| ^ | y |\n",
         {R"(1x1 text"^" | 1x1 text"i")", R"(1x2 text"^" | 1x1 text"x")", R"(1x0 | 1x1 text"y")"}},
        {"an escaped or longer caret is content",
         "| h |\n|---|\n| a |\n| \\^ |\n| ^^ |\n",
         {R"(1x1 text"h")", R"(1x1 text"a")", R"(1x1 text"^")", R"(1x1 text"^^")"}},
        {"missing cells are ordinary",
         "| h | i |\n|---|---|\n| a |\n",
         {R"(1x1 text"h" | 1x1 text"i")", R"(1x1 text"a" | 1x1)"}},
        {"spans stay in their table",
         "| h |\n|---|\n| a |\n\n| i |\n|---|\n| ^ |\n",
         {R"(1x1 text"h")", R"(1x1 text"i")", R"(1x1 text"a")", R"(1x1 text"^")"}},
        {"in a block quote",
         "> | h | i |\n> |---|---|\n> | a ||\n> | ^ | b |\n",
         {R"(1x1 text"h" | 1x1 text"i")", R"(2x2 text"a" | 0x1)", R"(1x0 | 1x1 text"b")"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gridOf(c.text), c.rows) << c.what;
}

TEST(TableCellSpans, EveryCellIsOneByOneWithoutTheOptionBit) {
    EXPECT_EQ(gridOf("| h | i |\n|---|---|\n| a ||\n| ^ | b |\n", CMarkParser::sourcePositions),
              (std::vector<std::string>{R"(1x1 text"h" | 1x1 text"i")", R"(1x1 text"a" | 1x1)",
                                        R"(1x1 text"^" | 1x1 text"b")"}));
}

} // namespace
} // namespace markdown
