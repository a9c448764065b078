#pragma once

#include "Markdown/elements/PlainTextConvertibleMarkup.hpp"

namespace markdown {

/// Any inline element.
class InlineMarkup
    : public InterfaceMarkup<MarkupInterface::inlineMarkup, PlainTextConvertibleMarkup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
