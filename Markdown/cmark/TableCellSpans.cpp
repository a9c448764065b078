#include "Markdown/cmark/TableCellSpans.hpp"

#include "Markdown/cmark/CMarkAnnotations.hpp"
#include "Markdown/cmark/NodeContent.hpp"

#include <memory>
#include <string_view>
#include <vector>

#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>

namespace markdown {
namespace {

bool hasType(cmark_node* node, std::string_view typeString) {
    return cmark_node_get_type_string(node) == typeString;
}

// The table extension gives a cell with nothing between its pipes an end column one before its
// start column; a blank cell spans its blanks, and a cell the row lacks has no columns at all.
bool isEmptyBetweenPipes(cmark_node* cell) {
    return cmark_node_get_start_column(cell) > 0 &&
           cmark_node_get_end_column(cell) < cmark_node_get_start_column(cell);
}

bool isCaret(cmark_node* cell) {
    return nodeContent(cell) == "^";
}

void clearContent(cmark_node* cell) {
    while (cmark_node* child = cmark_node_first_child(cell))
        cmark_node_free(child);
    cmark_node_set_string_content(cell, "");
}

class SpanRecorder {
public:
    // Rows of another part of the table: nothing above reaches into them.
    void startPart() { lastSpanningInColumn.clear(); }

    void addRow(cmark_node* row) {
        std::vector<cmark_node*> cells;
        for (cmark_node* cell = cmark_node_first_child(row); cell; cell = cmark_node_next(cell))
            cells.push_back(cell);
        if (lastSpanningInColumn.size() < cells.size())
            lastSpanningInColumn.resize(cells.size(), nullptr);

        cmark_node* lastWideningCell = nullptr;
        for (std::size_t column = 0; column < cells.size(); ++column) {
            cmark_node* cell = cells[column];
            cmark_node* above = lastSpanningInColumn[column];
            if (isEmptyBetweenPipes(cell) && lastWideningCell != nullptr) {
                widen(lastWideningCell);
                record(cell, {.colspan = 0, .rowspan = 1});
            } else if (isCaret(cell) && above != nullptr) {
                lengthen(above);
                record(cell, {.colspan = 1, .rowspan = 0});
                clearContent(cell);
            }
            const TableCellSpan span = recordedTableCellSpan(cell);
            if (span.colspan != 0)
                lastWideningCell = cell;
            if (span.rowspan != 0)
                lastSpanningInColumn[column] = cell;
        }
    }

private:
    static void record(cmark_node* cell, TableCellSpan span) { setTableCellSpan(cell, span); }

    static void widen(cmark_node* cell) {
        TableCellSpan span = recordedTableCellSpan(cell);
        ++span.colspan;
        setTableCellSpan(cell, span);
    }

    static void lengthen(cmark_node* cell) {
        TableCellSpan span = recordedTableCellSpan(cell);
        ++span.rowspan;
        setTableCellSpan(cell, span);
    }

    std::vector<cmark_node*> lastSpanningInColumn;
};

} // namespace

void recordTableCellSpansOf(cmark_node* table) {
    SpanRecorder recorder;
    for (cmark_node* row = cmark_node_first_child(table); row; row = cmark_node_next(row)) {
        cmark_node* previous = cmark_node_previous(row);
        if (previous == nullptr || hasType(previous, "table_header"))
            recorder.startPart();
        recorder.addRow(row);
    }
}

void recordTableCellSpans(cmark_node* root) {
    std::vector<cmark_node*> tables;
    const std::unique_ptr<cmark_iter, decltype(&cmark_iter_free)> iterator(cmark_iter_new(root),
                                                                           cmark_iter_free);
    for (cmark_event_type event; (event = cmark_iter_next(iterator.get())) != CMARK_EVENT_DONE;) {
        cmark_node* node = cmark_iter_get_node(iterator.get());
        if (event == CMARK_EVENT_ENTER && hasType(node, "table"))
            tables.push_back(node);
    }
    // Spans are recorded once the walk is over, since a caret cell loses its children.
    for (cmark_node* table : tables)
        recordTableCellSpansOf(table);
}

} // namespace markdown
