#pragma once

#include "Markdown/BlockMarkup.hpp"
#include "Markdown/ChildContainer.hpp"
#include "Markdown/ListItem.hpp"

namespace markdown {

/// A list: its children are list items.
class ListItemContainer : public InterfaceMarkup<MarkupInterface::listItemContainer, BlockMarkup>,
                          public ChildContainer<ListItemContainer, ListItem> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
