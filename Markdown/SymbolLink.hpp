#pragma once

#include "Markdown/MarkupElement.hpp"

#include <optional>
#include <string>

namespace markdown {

/// A code span opened by two or more backticks, read as a link to a symbol.
class SymbolLink : public MarkupElement<SymbolLink, RawMarkupKind::symbolLink> {
public:
    static constexpr std::string_view typeName = "SymbolLink";
    using MarkupElement::MarkupElement;

    /// An absent destination is stored as the empty string.
    explicit SymbolLink(std::optional<std::string> destination)
        : MarkupElement(Payload{std::move(destination).value_or(std::string())}) {}

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitSymbolLink(*this);
    }
};

} // namespace markdown
