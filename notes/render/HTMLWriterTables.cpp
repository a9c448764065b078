#include "notes/render/HTMLWriter.hpp"

#include <cstddef>

namespace notes {
namespace {

std::string_view alignmentStyle(const markdown::Table::ColumnAlignments& alignments,
                                std::size_t column) {
    if (column >= alignments.size() || !alignments[column])
        return "";
    switch (*alignments[column]) {
    case markdown::ColumnAlignment::left:
        return " style=\"text-align:left\"";
    case markdown::ColumnAlignment::center:
        return " style=\"text-align:center\"";
    case markdown::ColumnAlignment::right:
        return " style=\"text-align:right\"";
    }
    return "";
}

} // namespace

void HTMLWriter::writeTable(const markdown::Table& table) {
    const markdown::Table::ColumnAlignments& alignments = table.columnAlignments();
    out_ += "<div class=\"table-wrap\"" + dataLine(table) + "><table>\n<thead>\n";
    writeRow(table.head(), "th", alignments);
    out_ += "</thead>\n";
    const markdown::Table::Body body = table.body();
    if (!body.isEmpty()) {
        out_ += "<tbody>\n";
        for (markdown::Markup row : body.children())
            writeRow(row, "td", alignments);
        out_ += "</tbody>\n";
    }
    out_ += "</table></div>\n";
}

void HTMLWriter::writeRow(const markdown::Markup& row, std::string_view tag,
                          const markdown::Table::ColumnAlignments& alignments) {
    out_ += "<tr>";
    std::size_t column = 0;
    for (markdown::Markup child : row.children()) {
        const std::size_t i = column++;
        const std::optional<markdown::Table::Cell> cell = child.as<markdown::Table::Cell>();
        if (!cell || cell->colspan() == 0 || cell->rowspan() == 0)
            continue; // covered by a neighbour's span
        std::string open = "<" + std::string(tag) + std::string(alignmentStyle(alignments, i));
        if (cell->colspan() >= 2)
            open += " colspan=\"" + std::to_string(cell->colspan()) + "\"";
        if (cell->rowspan() >= 2)
            open += " rowspan=\"" + std::to_string(cell->rowspan()) + "\"";
        out_ += open + ">";
        writeInlines(child, false);
        out_ += "</" + std::string(tag) + ">";
    }
    out_ += "</tr>\n";
}

} // namespace notes
