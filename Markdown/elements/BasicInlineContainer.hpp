#pragma once

#include "Markdown/elements/InlineContainer.hpp"

namespace markdown {

/// An inline container without payload: a paragraph, table cell, emphasis, strong or strikethrough.
class BasicInlineContainer
    : public InterfaceMarkup<MarkupInterface::basicInlineContainer, InlineContainer> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
