#pragma once

#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/ListItem.hpp"

namespace markdown {

/// A bulleted list of list items.
class UnorderedList
    : public ContainerElement<UnorderedList, RawMarkupKind::unorderedList, ListItem> {
public:
    static constexpr std::string_view typeName = "UnorderedList";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitUnorderedList(*this);
    }
};

} // namespace markdown
