#pragma once

#include "Markdown/elements/MarkupElement.hpp"
#include "Markdown/elements/RecurringInlineMarkup.hpp"

#include <string>

namespace markdown {

/// Attribute text attached to inline content.
class InlineAttributes : public MarkupElement<InlineAttributes, RawMarkupKind::inlineAttributes> {
public:
    static constexpr std::string_view typeName = "InlineAttributes";
    using MarkupElement::MarkupElement;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<RecurringInlineMarkup, C...>
    explicit InlineAttributes(std::string attributes, const C&... children)
        : MarkupElement(Payload{std::move(attributes)}, rawMarkups(children...)) {}

    /// The attribute text as given: an empty text stays empty.
    [[nodiscard]] const std::string& attributes() const { return payload().attributes; }
    /// Rebuilds the span, also for the text it holds.
    void setAttributes(std::string attributes) { replacePayload(Payload{std::move(attributes)}); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitInlineAttributes(*this);
    }
};

} // namespace markdown
