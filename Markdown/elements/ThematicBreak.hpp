#pragma once

#include "Markdown/elements/MarkupElement.hpp"

namespace markdown {

/// A horizontal rule between blocks.
class ThematicBreak : public MarkupElement<ThematicBreak, RawMarkupKind::thematicBreak> {
public:
    static constexpr std::string_view typeName = "ThematicBreak";
    using MarkupElement::MarkupElement;

    ThematicBreak() : MarkupElement(Payload{}) {}

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitThematicBreak(*this);
    }
};

} // namespace markdown
