#pragma once

#include "Markdown/support/Fatal.hpp"
#include "Markdown/tree/SourceLocation.hpp"

#include <string>
#include <utility>

namespace markdown {

/// A half-open range of source locations: from where a node starts to just past where it ends.
/// The start is never after the end; a value that would break this stops the program.
class SourceRange {
public:
    SourceRange(SourceLocation start, SourceLocation end)
        : lower(std::move(start)), upper(std::move(end)) {
        require(!(upper < lower));
    }

    [[nodiscard]] const SourceLocation& lowerBound() const { return lower; }
    [[nodiscard]] const SourceLocation& upperBound() const { return upper; }
    [[nodiscard]] const SourceLocation& start() const { return lower; }
    [[nodiscard]] const SourceLocation& end() const { return upper; }
    /// Stops the program when the new start lies after the current end.
    void setStart(SourceLocation start);
    /// Stops the program when the new end lies before the current start.
    void setEnd(SourceLocation end);

    /// "start" or "start-end" (each bound in its own text form); with includePath, the lower
    /// bound's path and ":" go in front once more.
    [[nodiscard]] std::string diagnosticDescription(bool includePath) const;

    friend bool operator==(const SourceRange&, const SourceRange&) = default;

private:
    SourceLocation lower;
    SourceLocation upper;
};

} // namespace markdown

template <> struct std::hash<markdown::SourceRange> {
    std::size_t operator()(const markdown::SourceRange& range) const noexcept;
};
