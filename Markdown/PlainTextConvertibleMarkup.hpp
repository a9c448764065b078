#pragma once

#include "Markdown/InterfaceMarkup.hpp"

namespace markdown {

/// Any element that has a plain-text form: every inline element, paragraphs, headings and table
/// cells.
class PlainTextConvertibleMarkup
    : public InterfaceMarkup<MarkupInterface::plainTextConvertibleMarkup, Markup> {
public:
    using InterfaceMarkup::InterfaceMarkup;
};

} // namespace markdown
