#pragma once

#include <cstdint>

struct cmark_node;

namespace markdown {

/// How far a table cell reaches: 1 by 1 for an ordinary cell, more for a spanning one, 0 in the
/// direction in which a neighbour's span covers it.
struct TableCellSpan {
    std::uint32_t colspan = 1;
    std::uint32_t rowspan = 1;
    friend bool operator==(const TableCellSpan&, const TableCellSpan&) = default;
};

// What our passes learn about a parsed node is kept in its user-data slot, which nothing else of
// ours uses: the numbers then travel with the node and need no table beside the tree. Code spans
// keep their backtick count there, table cells their span.

void setBacktickCount(cmark_node* codeSpan, unsigned count);
/// 0 when no count was recorded.
[[nodiscard]] unsigned recordedBacktickCount(cmark_node* codeSpan);

void setTableCellSpan(cmark_node* cell, TableCellSpan span);
/// 1 by 1 when no span was recorded.
[[nodiscard]] TableCellSpan recordedTableCellSpan(cmark_node* cell);

} // namespace markdown
