#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/InlineMarkup.hpp"

namespace markdown {

/// Strongly emphasised inline content.
class Strong : public ContainerElement<Strong, RawMarkupKind::strong, InlineMarkup, true> {
public:
    static constexpr std::string_view typeName = "Strong";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitStrong(*this);
    }
};

} // namespace markdown
