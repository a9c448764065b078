#pragma once

#include "Markdown/elements/InlineMarkup.hpp"

namespace markdown {

/// Any inline element that may stand inside a link, an image or an inline-attributes span: all but
/// those three and symbol links.
class RecurringInlineMarkup
    : public InterfaceMarkup<MarkupInterface::recurringInlineMarkup, InlineMarkup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
