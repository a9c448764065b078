#pragma once

#include "Markdown/ContainerElement.hpp"
#include "Markdown/Table.hpp"
#include "Markdown/TableCell.hpp"

namespace markdown {

/// A row of a table's body: its children are cells.
class Table::Row : public ContainerElement<Table::Row, RawMarkupKind::tableRow, Table::Cell> {
public:
    static constexpr std::string_view typeName = "Row";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableRow(*this);
    }
};

} // namespace markdown
