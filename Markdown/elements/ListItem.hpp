#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/MarkupElement.hpp"

#include <optional>

namespace markdown {

/// One item of a list, with an optional task-list check box; its children are blocks.
class ListItem : public MarkupElement<ListItem, RawMarkupKind::listItem> {
public:
    static constexpr std::string_view typeName = "ListItem";
    using MarkupElement::MarkupElement;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<BlockMarkup, C...>
    explicit ListItem(std::optional<Checkbox> checkbox, const C&... children)
        : MarkupElement(Payload{checkbox}, rawMarkups(children...)) {}

    /// None for an ordinary item; a task item's state otherwise.
    [[nodiscard]] std::optional<Checkbox> checkbox() const { return payload().checkbox; }
    /// Each write rebuilds, even of the state the item has.
    void setCheckbox(std::optional<Checkbox> checkbox) { replacePayload({checkbox}); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitListItem(*this);
    }
};

} // namespace markdown
