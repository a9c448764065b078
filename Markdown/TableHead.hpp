#pragma once

#include "Markdown/ContainerElement.hpp"
#include "Markdown/Table.hpp"
#include "Markdown/TableCell.hpp"

namespace markdown {

/// The head row of a table: its children are cells.
class Table::Head : public ContainerElement<Table::Head, RawMarkupKind::tableHead, Table::Cell> {
public:
    static constexpr std::string_view typeName = "Head";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableHead(*this);
    }
};

} // namespace markdown
