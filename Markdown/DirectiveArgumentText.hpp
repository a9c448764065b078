#pragma once

#include "Markdown/SourceRange.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace markdown {

/// The argument text of a block directive, one segment per source line it spans.
struct DirectiveArgumentText {
    /// The argument text found on one line.
    struct LineSegment {
        /// The line's text; for a parsed directive it starts at the start of the source line,
        /// so that columns count from there.
        std::string untrimmedText;
        /// Byte position in `untrimmedText` where the argument text begins.
        std::size_t parseIndex = 0;
        /// Where the argument text lies in the source; without it, parsing reports no places.
        std::optional<SourceRange> range;

        /// The text from `parseIndex` on.
        [[nodiscard]] std::string_view trimmedText() const;

        /// Texts compare by canonical equivalence; index and range exactly.
        friend bool operator==(const LineSegment& a, const LineSegment& b);
    };

    DirectiveArgumentText() = default;
    /// One segment holding the whole text (line breaks included), parsed from its start, with
    /// no range.
    explicit DirectiveArgumentText(std::string_view text);
    explicit DirectiveArgumentText(std::vector<LineSegment> segments)
        : segments(std::move(segments)) {}

    /// True when no segment holds anything but spaces and tabs (also for no segments).
    [[nodiscard]] bool isEmpty() const;

    friend bool operator==(const DirectiveArgumentText&, const DirectiveArgumentText&) = default;

    std::vector<LineSegment> segments;
};

} // namespace markdown
