#pragma once

#include "Markdown/elements/ChildContainer.hpp"
#include "Markdown/elements/PlainTextConvertibleMarkup.hpp"

namespace markdown {

/// Any element whose children are inline elements.
class InlineContainer
    : public InterfaceMarkup<MarkupInterface::inlineContainer, PlainTextConvertibleMarkup>,
      public ChildContainer<InlineContainer, InlineMarkup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
    /// The element's own rule: not every inline container joins its children's texts alone.
    using PlainTextConvertibleMarkup::plainText;
};

} // namespace markdown
