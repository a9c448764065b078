#include "Markdown/Table.hpp"

namespace markdown {

Table::Table(std::optional<std::vector<std::optional<ColumnAlignment>>> columnAlignments,
             const Head& header, const Body& body)
    : MarkupElement(RawMarkup::makeTable(
          std::move(columnAlignments).value_or(std::vector<std::optional<ColumnAlignment>>()),
          std::nullopt, header.raw().markup, body.raw().markup)) {}

} // namespace markdown
