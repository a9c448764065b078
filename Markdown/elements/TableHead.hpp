#pragma once

#include "Markdown/elements/Table.hpp"
#include "Markdown/elements/TableRowElement.hpp"

namespace markdown {

/// The head row of a table: its children are cells.
class Table::Head : public TableRowElement<Table::Head, RawMarkupKind::tableHead> {
public:
    static constexpr std::string_view typeName = "Head";
    using TableRowElement::TableRowElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableHead(*this);
    }
};

} // namespace markdown
