#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/Table.hpp"
#include "Markdown/elements/TableRow.hpp"
#include "Markdown/tree/ChildReplacement.hpp"
#include "Markdown/tree/TypedChildren.hpp"

#include <array>
#include <cstdint>

namespace markdown {

/// The body of a table: its children are rows, which may differ in their number of cells.
class Table::Body : public ContainerElement<Table::Body, RawMarkupKind::tableBody, Table::Row> {
public:
    static constexpr std::string_view typeName = "Body";
    using ContainerElement::ContainerElement;

    [[nodiscard]] TypedChildren<Row> rows() const { return TypedChildren<Row>(*this); }

    /// Replaces the rows from `from` up to, not including, `to` (which must lie within the
    /// rows) by the given ones; the body keeps its range and stands in a new tree.
    /// A table above it keeps its alignments: write the body back with `Table::setBody` to
    /// widen them.
    template <SequenceOf<Row> R>
    void replaceRowsInRange(std::int64_t from, std::int64_t to, const R& rows) {
        replaceData(replacingChildren(*this, from, to, rawMarkups(rows)).data());
    }
    template <SequenceOf<Row> R> void setRows(const R& rows) {
        replaceRowsInRange(0, childCount(), rows);
    }
    void appendRow(const Row& row) {
        replaceRowsInRange(childCount(), childCount(), std::array{row});
    }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableBody(*this);
    }
};

} // namespace markdown
