#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// A hard line break.
class LineBreak : public MarkupElement<LineBreak, RawMarkupKind::lineBreak> {
public:
    static constexpr std::string_view typeName = "LineBreak";
    using MarkupElement::MarkupElement;

    LineBreak() : MarkupElement(Payload{}) {}

    /// One line feed.
    [[nodiscard]] std::string plainText() const { return "\n"; }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitLineBreak(*this);
    }
};

} // namespace markdown
