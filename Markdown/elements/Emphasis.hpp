#pragma once

#include "Markdown/ContainerElement.hpp"
#include "Markdown/InlineMarkup.hpp"

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
