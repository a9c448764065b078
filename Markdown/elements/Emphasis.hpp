#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/InlineMarkup.hpp"

namespace markdown {

/// Emphasised inline content.
class Emphasis : public ContainerElement<Emphasis, RawMarkupKind::emphasis, InlineMarkup, true> {
public:
    static constexpr std::string_view typeName = "Emphasis";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitEmphasis(*this);
    }
};

} // namespace markdown
