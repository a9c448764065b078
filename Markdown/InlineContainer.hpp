#pragma once

#include "Markdown/PlainTextConvertibleMarkup.hpp"

namespace markdown {

/// Any element whose children are inline elements.
class InlineContainer
    : public InterfaceMarkup<MarkupInterface::inlineContainer, PlainTextConvertibleMarkup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
