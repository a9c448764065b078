#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/MarkupElement.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace markdown {

/// A named block directive: an at sign and a name, optional argument text and block content.
/// A directive made or written here knows no place in a source: no name location and no range.
class BlockDirective : public MarkupElement<BlockDirective, RawMarkupKind::blockDirective> {
public:
    static constexpr std::string_view typeName = "BlockDirective";
    using MarkupElement::MarkupElement;

    /// A directive without argument text; the children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<BlockMarkup, C...>
    explicit BlockDirective(std::string name, const C&... children)
        : BlockDirective(std::move(name), std::nullopt, children...) {}
    /// The argument text becomes one segment per line (see `argumentLines`); none gives no
    /// segments.
    template <class... C>
    requires ChildrenOf<BlockMarkup, C...>
    BlockDirective(std::string name, std::optional<std::string_view> argumentText,
                   const C&... children)
        : MarkupElement(Payload{std::move(name), std::nullopt, argumentLines(argumentText)},
                        rawMarkups(children...)) {}

    /// The text split at every line break character (LF, VT, FF, CR, NEL, LS, PS; CR LF is
    /// one), one segment a line, empty lines kept, each parsed from its start and without a
    /// range; the empty text is one empty line.
    [[nodiscard]] static DirectiveArgumentText argumentLines(std::optional<std::string_view> text);

    [[nodiscard]] const std::string& name() const { return payload().name; }
    [[nodiscard]] const DirectiveArgumentText& argumentText() const { return payload().arguments; }
    /// Where the name begins in the source; only a parsed directive has it.
    [[nodiscard]] const std::optional<SourceLocation>& nameLocation() const {
        return payload().nameLocation;
    }
    /// From the name's location to the column as many UTF-8 bytes further on the same line.
    [[nodiscard]] std::optional<SourceRange> nameRange() const;

    /// Each write rebuilds, even of the value the directive has, and drops the name location.
    void setName(std::string name);
    void setArgumentText(DirectiveArgumentText argumentText);

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitBlockDirective(*this);
    }
};

} // namespace markdown
