#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"

namespace markdown {

/// A quotation block.
class BlockQuote
    : public ContainerElement<BlockQuote, RawMarkupKind::blockQuote, BlockMarkup, true> {
public:
    static constexpr std::string_view typeName = "BlockQuote";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitBlockQuote(*this);
    }
};

} // namespace markdown
