#pragma once

#include "Markdown/elements/MarkupElement.hpp"
#include "Markdown/elements/OptionalText.hpp"
#include "Markdown/elements/RecurringInlineMarkup.hpp"

#include <optional>
#include <string>

namespace markdown {

/// A link: its destination, its title and its text as children. Empty strings are stored as
/// absent. Its plain text is its children's alone.
class Link : public MarkupElement<Link, RawMarkupKind::link> {
public:
    static constexpr std::string_view typeName = "Link";
    using MarkupElement::MarkupElement;

    template <SequenceOf<RecurringInlineMarkup> R>
    Link(std::optional<std::string> destination, std::optional<std::string> title,
         const R& children)
        : MarkupElement(
              Payload{nonEmptyText(std::move(destination)), nonEmptyText(std::move(title))},
              rawMarkups(children)) {}
    /// A link without a title.
    template <ConformsTo<RecurringInlineMarkup>... C>
    explicit Link(std::string destination, const C&... children)
        : MarkupElement(Payload{nonEmptyText(std::move(destination)), std::nullopt},
                        rawMarkups(children...)) {}

    [[nodiscard]] const std::optional<std::string>& destination() const {
        return payload().destination;
    }
    /// Rebuilds the link, also for the destination it holds; an empty one is stored as absent.
    void setDestination(std::optional<std::string> destination);
    [[nodiscard]] const std::optional<std::string>& title() const { return payload().title; }
    /// Rebuilds the link, also for the title it holds; an empty one is stored as absent.
    void setTitle(std::optional<std::string> title);

    /// Whether the link's one child is a text that reads as its destination, so that it can be
    /// written as `<destination>`. Canonically equivalent texts match; letter case matters.
    [[nodiscard]] bool isAutolink() const;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitLink(*this);
    }
};

} // namespace markdown
