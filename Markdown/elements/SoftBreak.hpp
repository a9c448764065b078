#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// A line end inside a paragraph.
class SoftBreak : public MarkupElement<SoftBreak, RawMarkupKind::softBreak> {
public:
    static constexpr std::string_view typeName = "SoftBreak";
    using MarkupElement::MarkupElement;

    SoftBreak() : MarkupElement(Payload{}) {}

    /// One space.
    [[nodiscard]] std::string plainText() const { return " "; }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitSoftBreak(*this);
    }
};

} // namespace markdown
