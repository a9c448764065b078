#pragma once

#include "Markdown/tree/SourceLocation.hpp"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace notes {

/// The text the parser read, so that a parsed element can be looked up as it was typed.
class SourceText {
public:
    SourceText() = default;
    /// `text` outlives this value.
    explicit SourceText(std::string_view text);

    [[nodiscard]] std::string_view text() const { return text_; }

    /// The byte offset of a parser location (1-based line, 1-based byte column), clamped to the
    /// end of the text; nothing for a line the text does not have. Lines end where the parser
    /// ends them: at a line feed, a carriage return, or both.
    [[nodiscard]] std::optional<std::size_t> offset(const markdown::SourceLocation& location) const;

private:
    std::string_view text_;
    std::vector<std::size_t> lineStarts_;
};

} // namespace notes
