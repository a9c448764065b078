#pragma once

#include "Markdown/elements/InlineMarkup.hpp"
#include "Markdown/elements/MarkupElement.hpp"

#include <cstdint>

namespace markdown {

/// A heading of some level (the tree does not check it) over inline content. A heading made
/// here never takes its children's range.
class Heading : public MarkupElement<Heading, RawMarkupKind::heading> {
public:
    static constexpr std::string_view typeName = "Heading";
    using MarkupElement::MarkupElement;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<InlineMarkup, C...>
    explicit Heading(std::int64_t level, const C&... children)
        : MarkupElement(Payload{level}, rawMarkups(children...)) {}

    [[nodiscard]] std::int64_t level() const { return payload().level; }
    /// Writing the level the heading has changes nothing, not even its identity.
    void setLevel(std::int64_t level) {
        if (level != this->level())
            replacePayload({level});
    }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitHeading(*this);
    }
};

} // namespace markdown
