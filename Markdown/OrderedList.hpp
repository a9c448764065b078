#pragma once

#include "Markdown/ContainerElement.hpp"
#include "Markdown/ListItem.hpp"

namespace markdown {

/// A numbered list of list items; one made from items starts at 1.
class OrderedList : public ContainerElement<OrderedList, RawMarkupKind::orderedList, ListItem> {
public:
    static constexpr std::string_view typeName = "OrderedList";
    using ContainerElement::ContainerElement;

    static RawMarkupData::OrderedList initialPayload() { return {1}; }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitOrderedList(*this);
    }
};

} // namespace markdown
