#pragma once

struct cmark_node;

namespace markdown {

/// Records the column and row spans of the cells of every table below `root`.
///
/// A cell with nothing at all between its two pipes is covered (column span 0) and widens the
/// nearest cell to its left that is not covered; a cell whose whole content is one caret is
/// covered (row span 0), lengthens the nearest cell above it in the same column whose row span
/// is not 0, and loses its content. Spans stay inside their part of the table (the header row,
/// the body), since a page cannot draw a span across the two; where no cell is there to widen or
/// lengthen, the cell stays an ordinary one (an empty cell, or a caret).
void recordTableCellSpans(cmark_node* root);

/// The same for one table: a walk that meets tables in its own course records each as it enters
/// it, before it reaches the cells (a covering caret cell loses its children).
void recordTableCellSpansOf(cmark_node* table);

} // namespace markdown
