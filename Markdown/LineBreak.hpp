#pragma once

#include "Markdown/MarkupElement.hpp"

namespace markdown {

/// A hard line break.
class LineBreak : public MarkupElement<LineBreak, RawMarkupKind::lineBreak> {
public:
    static constexpr std::string_view typeName = "LineBreak";
    using MarkupElement::MarkupElement;

    LineBreak() : MarkupElement(Payload{}) {}

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitLineBreak(*this);
    }
};

} // namespace markdown
