#include "notes/render/HTMLWriter.hpp"

#include <cstddef>

namespace notes {
namespace {

std::string_view alignmentStyle(const markdown::RawMarkupData::Table& table, std::size_t column) {
    const auto& alignments = table.columnAlignments;
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

void HTMLWriter::writeTable(const markdown::RawMarkup& table,
                            const markdown::RawMarkupData::Table& data) {
    // A table holds its head row and its body, in that order.
    const markdown::RawMarkup& head = *table.child(0);
    const markdown::RawMarkup& body = *table.child(1);
    writeOpening("<div class=\"table-wrap\"", table, "><table>\n<thead>\n");
    folded_ = FoldedText::headerRow(table, source_);
    writeRow(head, "th", data);
    folded_.reset();
    out_ += "</thead>\n";
    if (body.childCount() != 0) {
        out_ += "<tbody>\n";
        for (const markdown::RawMarkupPtr& row : body.children())
            writeRow(*row, "td", data);
        out_ += "</tbody>\n";
    }
    out_ += "</table></div>\n";
}

void HTMLWriter::writeRow(const markdown::RawMarkup& row, std::string_view tag,
                          const markdown::RawMarkupData::Table& table) {
    out_ += "<tr>";
    std::size_t column = 0;
    for (const markdown::RawMarkupPtr& child : row.children()) {
        const std::size_t i = column++;
        const markdown::RawMarkupData::TableCell* cell =
            child->data().getIf<markdown::RawMarkupKind::tableCell>();
        if (cell == nullptr || cell->colspan == 0 || cell->rowspan == 0)
            continue; // covered by a neighbour's span
        out_ += '<';
        out_ += tag;
        out_ += alignmentStyle(table, i);
        if (cell->colspan >= 2)
            out_ += " colspan=\"" + std::to_string(cell->colspan) + "\"";
        if (cell->rowspan >= 2)
            out_ += " rowspan=\"" + std::to_string(cell->rowspan) + "\"";
        out_ += '>';
        writeInlines(child->children(), false);
        out_ += "</";
        out_ += tag;
        out_ += '>';
    }
    out_ += "</tr>\n";
}

} // namespace notes
