#pragma once

#include "Markdown/elements/MarkupElement.hpp"
#include "Markdown/tree/ColumnAlignment.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace markdown {

/// A table: a head and a body, and an alignment per column (none: no alignment).
class Table : public MarkupElement<Table, RawMarkupKind::table> {
public:
    static constexpr std::string_view typeName = "Table";
    using ColumnAlignment = markdown::ColumnAlignment;
    using ColumnAlignments = std::vector<std::optional<ColumnAlignment>>;
    class Head;
    class Body;
    class Row;
    class Cell;

    using MarkupElement::MarkupElement;

    /// The alignments (none: no alignment) are padded with absent entries to the widest row.
    Table(std::optional<ColumnAlignments> columnAlignments, const Head& header, const Body& body);

    /// At least one entry per column of the widest row when the table node was made; an edit
    /// inside the head or body leaves them as they were.
    [[nodiscard]] const ColumnAlignments& columnAlignments() const {
        return payload().columnAlignments;
    }
    /// Rebuilds the table with these alignments, padded to its widest row and never cut.
    void setColumnAlignments(ColumnAlignments columnAlignments);

    /// The head, in this table's tree.
    [[nodiscard]] Head head() const;
    /// Rebuilds the table around the new head, padding the alignments to its width.
    void setHead(const Head& head);
    /// The body, in this table's tree.
    [[nodiscard]] Body body() const;
    /// Rebuilds the table around the new body, padding the alignments to its widest row: the
    /// way to write back a body that was edited.
    void setBody(const Body& body);

    /// Cells in the head or the longest body row, whichever has more; spans are not counted.
    [[nodiscard]] std::int64_t maxColumnCount() const;
    /// Whether the head has no cells and the body no rows.
    [[nodiscard]] bool isEmpty() const;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTable(*this);
    }

private:
    void rebuild(ColumnAlignments columnAlignments, RawMarkupPtr head, RawMarkupPtr body);
};

} // namespace markdown

#include "Markdown/elements/TableBody.hpp"
#include "Markdown/elements/TableCell.hpp"
#include "Markdown/elements/TableHead.hpp"
#include "Markdown/elements/TableRow.hpp"
