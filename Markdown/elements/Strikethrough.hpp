#pragma once

#include "Markdown/elements/ChildrenPlainText.hpp"
#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/InlineMarkup.hpp"

#include <string>

namespace markdown {

/// Struck-through inline content.
class Strikethrough
    : public ContainerElement<Strikethrough, RawMarkupKind::strikethrough, InlineMarkup, true> {
public:
    static constexpr std::string_view typeName = "Strikethrough";
    using ContainerElement::ContainerElement;

    /// The children's plain text between single tildes.
    [[nodiscard]] std::string plainText() const { return "~" + childrenPlainText(*this) + "~"; }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitStrikethrough(*this);
    }
};

} // namespace markdown
