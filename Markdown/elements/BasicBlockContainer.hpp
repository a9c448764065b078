#pragma once

#include "Markdown/elements/BlockContainer.hpp"

namespace markdown {

/// A block container without payload: a document, block quote or custom block.
class BasicBlockContainer
    : public InterfaceMarkup<MarkupInterface::basicBlockContainer, BlockContainer> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
