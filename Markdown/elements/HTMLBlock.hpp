#pragma once

#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// A block of raw HTML, as written.
class HTMLBlock : public MarkupElement<HTMLBlock, RawMarkupKind::htmlBlock> {
public:
    static constexpr std::string_view typeName = "HTMLBlock";
    using MarkupElement::MarkupElement;

    explicit HTMLBlock(std::string rawHTML) : MarkupElement(Payload{std::move(rawHTML)}) {}

    [[nodiscard]] const std::string& rawHTML() const { return payload().html; }
    /// Each write rebuilds, even of the text the block has.
    void setRawHTML(std::string rawHTML) { replacePayload({std::move(rawHTML)}); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitHTMLBlock(*this);
    }
};

} // namespace markdown
