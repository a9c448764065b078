#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"

namespace markdown {

/// A block the parser made from a custom-block node; it only holds children.
class CustomBlock
    : public ContainerElement<CustomBlock, RawMarkupKind::customBlock, BlockMarkup, true> {
public:
    static constexpr std::string_view typeName = "CustomBlock";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitCustomBlock(*this);
    }
};

} // namespace markdown
