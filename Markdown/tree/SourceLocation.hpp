#pragma once

#include "Markdown/support/URL.hpp"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace markdown {

/// A place in a source text: 1-based line and column (the parser counts UTF-8 bytes) and the
/// document it belongs to. Nothing checks that line and column are positive.
struct SourceLocation {
    std::int64_t line;
    std::int64_t column;
    std::optional<URL> source;

    SourceLocation(std::int64_t line, std::int64_t column, std::optional<URL> source = std::nullopt)
        : line(line), column(column), source(std::move(source)) {}

    /// Equal when line, column and source all are.
    friend bool operator==(const SourceLocation&, const SourceLocation&) = default;
    /// Ordered by line, then column; the source takes no part, so two locations can be
    /// unequal while neither comes first.
    friend std::weak_ordering operator<=>(const SourceLocation& a, const SourceLocation& b) {
        if (auto byLine = a.line <=> b.line; std::is_neq(byLine))
            return byLine;
        return a.column <=> b.column;
    }

    /// "line:column", preceded by "path:" when the source has a non-empty path.
    [[nodiscard]] std::string description() const;
};

} // namespace markdown

template <> struct std::hash<markdown::SourceLocation> {
    std::size_t operator()(const markdown::SourceLocation& location) const noexcept;
};
