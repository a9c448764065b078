#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/InlineMarkup.hpp"

namespace markdown {

/// A paragraph of inline elements.
class Paragraph : public ContainerElement<Paragraph, RawMarkupKind::paragraph, InlineMarkup, true> {
public:
    static constexpr std::string_view typeName = "Paragraph";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitParagraph(*this);
    }
};

} // namespace markdown
