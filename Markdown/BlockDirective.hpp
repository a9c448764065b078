#pragma once

#include "Markdown/BlockMarkup.hpp"
#include "Markdown/MarkupElement.hpp"

#include <string>

namespace markdown {

/// A named block directive: an at sign and a name, optional argument text and block content.
class BlockDirective : public MarkupElement<BlockDirective, RawMarkupKind::blockDirective> {
public:
    static constexpr std::string_view typeName = "BlockDirective";
    using MarkupElement::MarkupElement;

    /// A directive without argument text; the children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<BlockMarkup, C...>
    explicit BlockDirective(std::string name, const C&... children)
        : MarkupElement(withoutArguments(std::move(name)), rawMarkups(children...)) {}

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitBlockDirective(*this);
    }

private:
    static Payload withoutArguments(std::string name) {
        return Payload{std::move(name), std::nullopt, DirectiveArgumentText()};
    }
};

} // namespace markdown
