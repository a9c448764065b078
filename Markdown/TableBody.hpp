#pragma once

#include "Markdown/ContainerElement.hpp"
#include "Markdown/Table.hpp"
#include "Markdown/TableRow.hpp"

namespace markdown {

/// The body of a table: its children are rows.
class Table::Body : public ContainerElement<Table::Body, RawMarkupKind::tableBody, Table::Row> {
public:
    static constexpr std::string_view typeName = "Body";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableBody(*this);
    }
};

} // namespace markdown
