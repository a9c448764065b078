#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// A code span, without its backticks.
class InlineCode : public MarkupElement<InlineCode, RawMarkupKind::inlineCode> {
public:
    static constexpr std::string_view typeName = "InlineCode";
    using MarkupElement::MarkupElement;

    explicit InlineCode(std::string code) : MarkupElement(Payload{std::move(code)}) {}

    [[nodiscard]] const std::string& code() const { return payload().code; }
    /// Rebuilds the code span, also when the code is the one it holds.
    void setCode(std::string code) { replacePayload(Payload{std::move(code)}); }

    /// The code between single backticks; backticks inside are not doubled.
    [[nodiscard]] std::string plainText() const { return "`" + code() + "`"; }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitInlineCode(*this);
    }
};

} // namespace markdown
