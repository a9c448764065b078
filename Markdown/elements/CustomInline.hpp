#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// Inline content the parser made from a custom-inline node.
class CustomInline : public MarkupElement<CustomInline, RawMarkupKind::customInline> {
public:
    static constexpr std::string_view typeName = "CustomInline";
    using MarkupElement::MarkupElement;

    explicit CustomInline(std::string text) : MarkupElement(Payload{std::move(text)}) {}

    [[nodiscard]] const std::string& text() const { return payload().text; }

    /// The text as it is.
    [[nodiscard]] std::string plainText() const { return text(); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitCustomInline(*this);
    }
};

} // namespace markdown
