#pragma once

#include "Markdown/elements/InterfaceMarkup.hpp"

namespace markdown {

/// Any block element.
class BlockMarkup : public InterfaceMarkup<MarkupInterface::blockMarkup, Markup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
