// The printer's tables, printed whole: a head row, a delimiter row and the body's rows.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/format/TableCellBreakDeleter.hpp"
#include "Markdown/support/Fatal.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace markdown {
namespace {

[[noreturn]] void stopOnTablePart(std::string_view method) {
    fatal("Do not call " + std::string(method) +
          " directly; markdown tables must be formatted as a single unit. Call `visitTable` on "
          "the parent table");
}

std::string_view delimiter(const std::optional<ColumnAlignment>& alignment) {
    if (!alignment)
        return "---";
    switch (*alignment) {
    case ColumnAlignment::left:
        return ":--";
    case ColumnAlignment::center:
        return ":-:";
    case ColumnAlignment::right:
        return "--:";
    }
    fatal("unknown column alignment");
}

// "| a | b |", with empty cells up to the column count; a cell another one covers is nothing
// between its pipes.
std::string tableLine(const std::vector<std::optional<std::string>>& cells, std::size_t columns) {
    std::string line = "|";
    for (std::size_t column = 0; column < columns; ++column) {
        if (column < cells.size() && !cells[column]) {
            line += '|';
            continue;
        }
        line += ' ';
        if (column < cells.size())
            line += *cells[column];
        line += " |";
    }
    return line;
}

} // namespace

void MarkupFormatter::visitTable(const Table& table) {
    auto columns = static_cast<std::size_t>(table.maxColumnCount());
    if (columns == 0)
        return; // Markdown has no table without a column
    std::vector<std::string> lines;
    auto rowLine = [&](const auto& row) {
        std::vector<std::optional<std::string>> cells;
        for (const Table::Cell& cell : row.cells()) {
            if (cell.colspan() == 0)
                cells.emplace_back(std::nullopt);
            else if (cell.rowspan() == 0)
                cells.emplace_back("^");
            else
                cells.emplace_back(cellText(cell));
        }
        lines.push_back(tableLine(cells, columns));
    };
    rowLine(table.head());
    std::vector<std::optional<std::string>> delimiters;
    for (const auto& alignment : table.columnAlignments())
        delimiters.emplace_back(delimiter(alignment));
    delimiters.resize(std::max(delimiters.size(), columns), std::string("---"));
    lines.push_back(tableLine(delimiters, columns));
    for (const Table::Row& row : table.body().rows())
        rowLine(row);

    startBlock();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            queueNewlines(1);
        print(lines[i]);
    }
}

void MarkupFormatter::visitTableHead(const Table::Head&) {
    stopOnTablePart("visitTableHead");
}

void MarkupFormatter::visitTableBody(const Table::Body&) {
    stopOnTablePart("visitTableBody");
}

void MarkupFormatter::visitTableRow(const Table::Row&) {
    stopOnTablePart("visitTableRow");
}

void MarkupFormatter::visitTableCell(const Table::Cell&) {
    stopOnTablePart("visitTableCell");
}

std::string MarkupFormatter::cellText(const Table::Cell& cell) {
    // A detached cell is rewritten alone, not inside a copy of its whole table; one without
    // soft breaks (any that was parsed) would come back the same.
    std::optional<Markup> rewritten = cell.detachedFromParent();
    if (holdsSoftBreak(*cell.raw().markup)) {
        Table::Cell::BreakDeleter deleter;
        rewritten = rewritten->accept(deleter);
    }
    require(rewritten.has_value());
    MarkupFormatter cellFormatter(options);
    cellFormatter.inCell = true;
    // The cell's inlines are gathered and laid out in this formatter's buffers, empty between
    // runs.
    cellFormatter.spareInlines = std::move(spareInlines);
    cellFormatter.laidOutText = std::move(laidOutText);
    cellFormatter.printInlines(cellFormatter.gatherInlines(*rewritten), false, false);
    spareInlines = std::move(cellFormatter.spareInlines);
    laidOutText = std::move(cellFormatter.laidOutText);
    // A lone caret would stretch the cell above over this one.
    if (cellFormatter.printed == "^")
        return "\\^";
    // A cell is trimmed of vertical tabs and form feeds as of spaces; references keep them.
    std::string text = std::move(cellFormatter.printed);
    const auto reference = [](const char& c) {
        return lineBreakReference(std::string_view(&c, 1));
    };
    if (text.size() > 1 && (text.back() == '\v' || text.back() == '\f'))
        text.replace(text.size() - 1, 1, reference(text.back()));
    if (!text.empty() && (text.front() == '\v' || text.front() == '\f'))
        text.replace(0, 1, reference(text.front()));
    return text;
}

} // namespace markdown
