#pragma once

#include "Markdown/ChildrenPlainText.hpp"
#include "Markdown/ContainerElement.hpp"
#include "Markdown/InlineMarkup.hpp"

#include <string>

namespace markdown {

/// Strongly emphasised inline content.
class Strong : public ContainerElement<Strong, RawMarkupKind::strong, InlineMarkup, true> {
public:
    static constexpr std::string_view typeName = "Strong";
    using ContainerElement::ContainerElement;

    /// The children's plain text, without markers.
    [[nodiscard]] std::string plainText() const { return plainTextOf(*this); }
    void appendPlainText(std::string& text) const { appendChildrenPlainText(*this, text); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitStrong(*this);
    }
};

} // namespace markdown
