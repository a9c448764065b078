#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/InlineMarkup.hpp"
#include "Markdown/elements/Table.hpp"

#include <cstdint>

namespace markdown {

/// A table cell of inline content, with the columns and rows it spans: 1 for an ordinary cell
/// (the forms without spans), 0 for a cell covered by another cell's span.
class Table::Cell
    : public ContainerElement<Table::Cell, RawMarkupKind::tableCell, InlineMarkup, true> {
public:
    static constexpr std::string_view typeName = "Cell";
    /// Turns soft breaks into spaces, so that a cell prints on its table row's one line.
    class BreakDeleter;
    using ContainerElement::ContainerElement;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<InlineMarkup, C...>
    explicit Cell(std::uint64_t colspan, std::uint64_t rowspan, const C&... children)
        : ContainerElement(Payload{colspan, rowspan}, rawMarkups(children...)) {}
    template <SequenceOf<InlineMarkup> R>
    explicit Cell(std::uint64_t colspan, std::uint64_t rowspan, const R& children,
                  bool inheritSourceRange)
        : ContainerElement(Payload{colspan, rowspan}, rawMarkups(children), inheritSourceRange) {}

    static RawMarkupData::TableCell initialPayload() { return {1, 1}; }

    [[nodiscard]] std::uint64_t colspan() const { return payload().colspan; }
    /// Rebuilds the cell, also for the span it holds.
    void setColspan(std::uint64_t colspan) { replacePayload(Payload{colspan, rowspan()}); }
    [[nodiscard]] std::uint64_t rowspan() const { return payload().rowspan; }
    /// Rebuilds the cell, also for the span it holds.
    void setRowspan(std::uint64_t rowspan) { replacePayload(Payload{colspan(), rowspan}); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitTableCell(*this);
    }
};

} // namespace markdown
