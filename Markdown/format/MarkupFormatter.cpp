#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/format/SoftBreakDeleter.hpp"
#include "Markdown/format/TableCellBreakDeleter.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/support/Fatal.hpp"

#include <algorithm>
#include <string>
#include <type_traits>
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

// "| a | b |", with empty cells up to the column count.
std::string tableLine(const std::vector<std::string>& cells, std::size_t columns) {
    std::string line = "|";
    for (std::size_t column = 0; column < columns; ++column) {
        line += ' ';
        if (column < cells.size())
            line += cells[column];
        line += " |";
    }
    return line;
}

} // namespace

void MarkupFormatter::defaultVisit(const Markup& markup) {
    std::string_view typeName = dispatchOnKind(markup, [](const auto& element) {
        return std::remove_cvref_t<decltype(element)>::typeName;
    });
    fatal("Formatter not implemented for " + std::string(typeName));
}

void MarkupFormatter::visitDocument(const Document& document) {
    descendInto(document);
}

void MarkupFormatter::visitParagraph(const Paragraph& paragraph) {
    startBlock();
    descendInto(paragraph);
}

void MarkupFormatter::visitText(const Text& text) {
    print(text.string());
}

void MarkupFormatter::visitSoftBreak(const SoftBreak&) {
    queueNewlines(1);
}

void MarkupFormatter::visitLineBreak(const LineBreak&) {
    print("  ");
    queueNewlines(1);
}

void MarkupFormatter::visitTable(const Table& table) {
    auto columns = static_cast<std::size_t>(table.maxColumnCount());
    if (columns == 0)
        return; // Markdown has no table without a column
    std::vector<std::string> lines;
    auto rowLine = [&](const auto& row) {
        std::vector<std::string> cells;
        for (const Table::Cell& cell : row.cells())
            cells.push_back(cellText(cell));
        lines.push_back(tableLine(cells, columns));
    };
    rowLine(table.head());
    std::vector<std::string> delimiters;
    for (const auto& alignment : table.columnAlignments())
        delimiters.emplace_back(delimiter(alignment));
    delimiters.resize(std::max(delimiters.size(), columns), "---");
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

std::string MarkupFormatter::cellText(const Table::Cell& cell) const {
    // A detached cell is rewritten alone, not inside a copy of its whole table.
    Table::Cell::BreakDeleter deleter;
    std::optional<Markup> rewritten = cell.detachedFromParent().accept(deleter);
    require(rewritten.has_value());
    MarkupFormatter cellFormatter(options);
    for (const Markup& child : rewritten->children())
        cellFormatter.visit(child);
    return cellFormatter.printed;
}

void MarkupFormatter::print(std::string_view text) {
    if (text.empty())
        return;
    std::string output(static_cast<std::size_t>(current.queuedNewlines), '\n');
    current.queuedNewlines = 0;
    output += text;
    std::size_t lineStart = 0;
    for (std::size_t end = 0; (end = output.find('\n', lineStart)) != std::string::npos;
         lineStart = end + 1) {
        addToLine(std::string_view(output).substr(lineStart, end - lineStart));
        current.lastLineLength = current.currentLength;
        current.currentLength = 0;
        current.lineNumber = checkedAdd(current.lineNumber, 1);
        current.newlineStreak = checkedAdd(current.newlineStreak, 1);
    }
    addToLine(std::string_view(output).substr(lineStart));
    printed += output;
}

void MarkupFormatter::addToLine(std::string_view text) {
    if (text.empty())
        return;
    current.currentLength =
        checkedAdd(current.currentLength, static_cast<std::int64_t>(characterCount(text)));
    current.newlineStreak = 0;
}

void MarkupFormatter::queueNewlines(std::int64_t count) {
    current.queuedNewlines = checkedAdd(current.queuedNewlines, count);
}

void MarkupFormatter::startBlock() {
    if (!printed.empty())
        current.queuedNewlines = std::max(current.queuedNewlines, 2 - current.newlineStreak);
}

std::string format(const Markup& markup, const MarkupFormatter::Options& options) {
    std::optional<Markup> printable = markup;
    // Text that is to be re-wrapped keeps none of the source's line ends.
    if (options.preferredLineLimit)
        printable = withoutSoftBreaks(markup);
    if (!printable)
        return {};
    MarkupFormatter formatter(options);
    printable->accept(formatter);
    return formatter.result();
}

} // namespace markdown
