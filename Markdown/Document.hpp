#pragma once

#include "Markdown/BlockMarkup.hpp"
#include "Markdown/ContainerElement.hpp"

namespace markdown {

/// The root of every parsed tree; its children are blocks.
class Document : public ContainerElement<Document, RawMarkupKind::document, BlockMarkup, true> {
public:
    static constexpr std::string_view typeName = "Document";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDocument(*this);
    }
};

} // namespace markdown
