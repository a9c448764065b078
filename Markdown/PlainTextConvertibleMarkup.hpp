#pragma once

#include "Markdown/InterfaceMarkup.hpp"

#include <string>

namespace markdown {

/// Any element that has a plain-text form: every inline element, paragraphs, headings and table
/// cells.
class PlainTextConvertibleMarkup
    : public InterfaceMarkup<MarkupInterface::plainTextConvertibleMarkup, Markup> {
public:
    using InterfaceMarkup::InterfaceMarkup;

    /// The element's plain text, by the rule of its own type.
    [[nodiscard]] std::string plainText() const;
    /// Adds the plain text to the end of `text`: nested content is written once, not copied
    /// level by level.
    void appendPlainText(std::string& text) const;
};

/// The plain text of an element type that writes it with `appendPlainText`.
template <class Element> std::string plainTextOf(const Element& element) {
    std::string text;
    element.appendPlainText(text);
    return text;
}

} // namespace markdown
