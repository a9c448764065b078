#pragma once

#include "Markdown/elements/MarkupElement.hpp"
#include "Markdown/elements/OptionalText.hpp"
#include "Markdown/elements/RecurringInlineMarkup.hpp"

#include <optional>
#include <string>

namespace markdown {

/// An image: its source, its title and its alternative text as children. Empty strings are stored
/// as absent. Its plain text is the alternative text's.
class Image : public MarkupElement<Image, RawMarkupKind::image> {
public:
    static constexpr std::string_view typeName = "Image";
    using MarkupElement::MarkupElement;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<RecurringInlineMarkup, C...>
    explicit Image(std::optional<std::string> source, std::optional<std::string> title,
                   const C&... children)
        : MarkupElement(Payload{nonEmptyText(std::move(source)), nonEmptyText(std::move(title))},
                        rawMarkups(children...)) {}

    [[nodiscard]] const std::optional<std::string>& source() const { return payload().source; }
    /// Rebuilds the image unless the source is the one it holds; an empty one is stored as
    /// absent.
    void setSource(std::optional<std::string> source);
    [[nodiscard]] const std::optional<std::string>& title() const { return payload().title; }
    /// Rebuilds the image unless the title is the one it holds; an empty one is stored as
    /// absent.
    void setTitle(std::optional<std::string> title);

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitImage(*this);
    }
};

} // namespace markdown
