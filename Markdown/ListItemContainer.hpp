#pragma once

#include "Markdown/BlockMarkup.hpp"

namespace markdown {

/// A list: its children are list items.
class ListItemContainer : public InterfaceMarkup<MarkupInterface::listItemContainer, BlockMarkup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
