#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// Raw HTML inside a paragraph, as written.
class InlineHTML : public MarkupElement<InlineHTML, RawMarkupKind::inlineHTML> {
public:
    static constexpr std::string_view typeName = "InlineHTML";
    using MarkupElement::MarkupElement;

    explicit InlineHTML(std::string rawHTML) : MarkupElement(Payload{std::move(rawHTML)}) {}

    [[nodiscard]] const std::string& rawHTML() const { return payload().html; }
    /// Rebuilds the node, also when the HTML is the one it holds.
    void setRawHTML(std::string rawHTML) { replacePayload(Payload{std::move(rawHTML)}); }

    /// The HTML as written.
    [[nodiscard]] std::string plainText() const { return rawHTML(); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitInlineHTML(*this);
    }
};

} // namespace markdown
