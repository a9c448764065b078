#pragma once

#include "Markdown/elements/MarkupElement.hpp"
#include "Markdown/elements/OptionalText.hpp"

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

    [[nodiscard]] const std::optional<std::string>& destination() const {
        return payload().destination;
    }
    /// Rebuilds the link, also for the destination it holds; an empty destination is stored as
    /// absent.
    void setDestination(std::optional<std::string> destination) {
        replacePayload(Payload{nonEmptyText(std::move(destination))});
    }

    /// The destination (empty when absent) between double backticks.
    [[nodiscard]] std::string plainText() const {
        return "``" + destination().value_or(std::string()) + "``";
    }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitSymbolLink(*this);
    }
};

} // namespace markdown
