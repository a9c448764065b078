#pragma once

#include "Markdown/MarkupElement.hpp"

#include <string>

namespace markdown {

/// Raw HTML inside a paragraph, as written.
class InlineHTML : public MarkupElement<InlineHTML, RawMarkupKind::inlineHTML> {
public:
    static constexpr std::string_view typeName = "InlineHTML";
    using MarkupElement::MarkupElement;

    explicit InlineHTML(std::string rawHTML) : MarkupElement(Payload{std::move(rawHTML)}) {}

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitInlineHTML(*this);
    }
};

} // namespace markdown
