#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <optional>
#include <string>

namespace markdown {

/// A fenced or indented block of code.
class CodeBlock : public MarkupElement<CodeBlock, RawMarkupKind::codeBlock> {
public:
    static constexpr std::string_view typeName = "CodeBlock";
    using MarkupElement::MarkupElement;

    CodeBlock(std::optional<std::string> language, std::string code)
        : MarkupElement(Payload{std::move(code), std::move(language)}) {}

    [[nodiscard]] const std::string& code() const { return payload().code; }
    /// The language named after the opening fence; none for an indented block.
    [[nodiscard]] const std::optional<std::string>& language() const { return payload().language; }
    /// Each write rebuilds, even of the value the block has.
    void setCode(std::string code) { replacePayload({std::move(code), language()}); }
    void setLanguage(std::optional<std::string> language) {
        replacePayload({code(), std::move(language)});
    }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitCodeBlock(*this);
    }
};

} // namespace markdown
