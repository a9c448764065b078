#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/ListItem.hpp"

#include <cstdint>

namespace markdown {

/// A numbered list of list items; one made from items starts at 1.
class OrderedList : public ContainerElement<OrderedList, RawMarkupKind::orderedList, ListItem> {
public:
    static constexpr std::string_view typeName = "OrderedList";
    using ContainerElement::ContainerElement;

    static RawMarkupData::OrderedList initialPayload() { return {1}; }

    /// The number of the first item; 0 is a number like any other.
    [[nodiscard]] std::uint64_t startIndex() const { return payload().startIndex; }
    /// Writing the number the list has changes nothing, not even its identity.
    void setStartIndex(std::uint64_t startIndex) {
        if (startIndex != this->startIndex())
            replacePayload({startIndex});
    }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitOrderedList(*this);
    }
};

} // namespace markdown
