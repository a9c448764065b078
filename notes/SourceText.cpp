#include "notes/SourceText.hpp"

#include <algorithm>

namespace notes {

SourceText::SourceText(std::string_view text) : text_(text) {
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\n' || text[i] == '\r')
            lineStarts_.push_back(i + 1);
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
