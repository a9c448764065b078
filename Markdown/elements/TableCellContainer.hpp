#pragma once

#include "Markdown/elements/InterfaceMarkup.hpp"

namespace markdown {

/// A table head or row: its children are table cells.
class TableCellContainer : public InterfaceMarkup<MarkupInterface::tableCellContainer, Markup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
