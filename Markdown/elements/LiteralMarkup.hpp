#pragma once

#include "Markdown/elements/InterfaceMarkup.hpp"

namespace markdown {

/// An element made from one literal string: an HTML block, inline HTML or text.
class LiteralMarkup : public InterfaceMarkup<MarkupInterface::literalMarkup, Markup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
