#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ChildContainer.hpp"

namespace markdown {

/// Any block element whose children are blocks.
class BlockContainer : public InterfaceMarkup<MarkupInterface::blockContainer, BlockMarkup>,
                       public ChildContainer<BlockContainer, BlockMarkup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
