#include "notes/render/SourceText.hpp"

#include <algorithm>

namespace notes {

SourceText::SourceText(std::string_view text) : text_(text) {
    lineStarts_.push_back(0);
    // Most texts have no carriage return at all: search each kind of line end on its own.
    constexpr std::size_t none = std::string_view::npos;
    std::size_t cr = text.find('\r');
    std::size_t lf = text.find('\n');
    while (cr != none || lf != none) {
        std::size_t end = std::min(cr, lf);
        if (end == cr && cr + 1 == lf)
            end = lf;
        lineStarts_.push_back(end + 1);
        if (cr <= end)
            cr = text.find('\r', end + 1);
        if (lf <= end)
            lf = text.find('\n', end + 1);
    }
}

std::optional<std::size_t> SourceText::offset(const markdown::SourceLocation& location) const {
    if (location.line < 1 || static_cast<std::size_t>(location.line) > lineStarts_.size())
        return std::nullopt;
    const std::size_t start = lineStarts_[static_cast<std::size_t>(location.line - 1)];
    const std::size_t column =
        location.column < 1 ? 0 : static_cast<std::size_t>(location.column - 1);
    return std::min(text_.size(), start + std::min(column, text_.size()));
}

} // namespace notes
