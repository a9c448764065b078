#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// Plain inline text.
class Text : public MarkupElement<Text, RawMarkupKind::text> {
public:
    static constexpr std::string_view typeName = "Text";
    using MarkupElement::MarkupElement;

    explicit Text(std::string string) : MarkupElement(Payload{std::move(string)}) {}

    [[nodiscard]] const std::string& string() const { return payload().string; }
    /// Rebuilds the text, also when the string is the one it holds.
    void setString(std::string string) { replacePayload(Payload{std::move(string)}); }

    /// The string as it is.
    [[nodiscard]] std::string plainText() const { return string(); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitText(*this);
    }
};

} // namespace markdown
