#pragma once

#include "Markdown/elements/Table.hpp"
#include "Markdown/elements/TableRowElement.hpp"

namespace markdown {

/// A row of a table's body: its children are cells.
class Table::Row : public TableRowElement<Table::Row, RawMarkupKind::tableRow> {
public:
    static constexpr std::string_view typeName = "Row";
    using TableRowElement::TableRowElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableRow(*this);
    }
};

} // namespace markdown
