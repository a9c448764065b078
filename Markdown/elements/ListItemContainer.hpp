#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ChildContainer.hpp"
#include "Markdown/elements/ListItem.hpp"

namespace markdown {

/// A list: its children are list items.
class ListItemContainer : public InterfaceMarkup<MarkupInterface::listItemContainer, BlockMarkup>,
                          public ChildContainer<ListItemContainer, ListItem> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
