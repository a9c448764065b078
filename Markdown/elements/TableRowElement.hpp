#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/Table.hpp"
#include "Markdown/elements/TableCell.hpp"
#include "Markdown/tree/ChildReplacement.hpp"
#include "Markdown/tree/TypedChildren.hpp"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace markdown {

/// The base of a table's head and of its body rows: a row of cells. Nothing checks the number
/// of cells against the rest of the table.
template <class Self, RawMarkupKind Kind>
class TableRowElement : public ContainerElement<Self, Kind, Table::Cell> {
    using Base = ContainerElement<Self, Kind, Table::Cell>;

public:
    using Base::Base;

    /// The cells of a brace list, as in `Table::Row row = {a, b};`.
    TableRowElement(std::initializer_list<Table::Cell> cells) : Base(cells) {}

    [[nodiscard]] TypedChildren<Table::Cell> cells() const {
        return TypedChildren<Table::Cell>(*this);
    }

    /// Replaces the cells from `from` up to, not including, `to` (which must lie within the
    /// cells) by the given ones; the row keeps its range and stands in a new tree.
    template <SequenceOf<Table::Cell> R>
    void replaceCellsInRange(std::int64_t from, std::int64_t to, const R& cells) {
        this->replaceData(replacingChildren(*this, from, to, rawMarkups(cells)).data());
    }
    template <SequenceOf<Table::Cell> R> void setCells(const R& cells) {
        replaceCellsInRange(0, this->childCount(), cells);
    }
    void appendCell(const Table::Cell& cell) {
        replaceCellsInRange(this->childCount(), this->childCount(), std::array{cell});
    }
};

} // namespace markdown
