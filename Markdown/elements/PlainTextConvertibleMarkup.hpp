#pragma once

#include "Markdown/elements/InterfaceMarkup.hpp"

#include <string>

namespace markdown {

/// Any element that has a plain-text form: every inline element, paragraphs, headings and table
/// cells.
class PlainTextConvertibleMarkup
    : public InterfaceMarkup<MarkupInterface::plainTextConvertibleMarkup, Markup> {
public:
    using InterfaceMarkup::InterfaceMarkup;

    /// The text by the rule of the element's own type, each of which defines `plainText`.
    [[nodiscard]] std::string plainText() const;
};

} // namespace markdown
