#pragma once

#include "Markdown/ColumnAlignment.hpp"
#include "Markdown/MarkupElement.hpp"

#include <optional>
#include <vector>

namespace markdown {

/// A table: a head and a body, and an alignment per column.
class Table : public MarkupElement<Table, RawMarkupKind::table> {
public:
    static constexpr std::string_view typeName = "Table";
    using ColumnAlignment = markdown::ColumnAlignment;
    class Head;
    class Body;
    class Row;
    class Cell;

    using MarkupElement::MarkupElement;

    /// The alignments (none: no alignment) are padded with absent entries to the widest row.
    Table(std::optional<std::vector<std::optional<ColumnAlignment>>> columnAlignments,
          const Head& header, const Body& body);

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTable(*this);
    }
};

} // namespace markdown

#include "Markdown/TableBody.hpp"
#include "Markdown/TableCell.hpp"
#include "Markdown/TableHead.hpp"
#include "Markdown/TableRow.hpp"
