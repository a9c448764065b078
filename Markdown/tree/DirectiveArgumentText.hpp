#pragma once

#include "Markdown/tree/DirectiveArgument.hpp"
#include "Markdown/tree/SourceRange.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace markdown {

/// The argument text of a block directive, one segment per source line it spans.
struct DirectiveArgumentText {
    /// A name given a second time: where the first and the repeated name start.
    struct DuplicateArgument {
        std::string name;
        SourceLocation firstLocation;
        SourceLocation duplicateLocation;
        friend bool operator==(const DuplicateArgument&, const DuplicateArgument&) = default;
    };
    /// A character (':', ',' or '"') that was needed at `location`.
    struct MissingExpectedCharacter {
        char character;
        SourceLocation location;
        friend bool operator==(const MissingExpectedCharacter&,
                               const MissingExpectedCharacter&) = default;
    };
    /// A character (',') where a name or a value was needed; `location` is just after it.
    struct UnexpectedCharacter {
        char character;
        SourceLocation location;
        friend bool operator==(const UnexpectedCharacter&, const UnexpectedCharacter&) = default;
    };
    /// A syntax problem met while parsing; collected, never thrown.
    using ParseError =
        std::variant<DuplicateArgument, MissingExpectedCharacter, UnexpectedCharacter>;

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

        /// The arguments of this line; problems are appended to `parseErrors`, and only when
        /// the segment has a range to place them.
        [[nodiscard]] std::vector<DirectiveArgument>
        parseNameValueArguments(std::vector<ParseError>& parseErrors) const;

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

    /// The arguments of every segment in order, parsing past any syntax problem.
    [[nodiscard]] std::vector<DirectiveArgument> parseNameValueArguments() const;
    /// The same, appending the problems found to `parseErrors` (what it holds stays): each
    /// segment's syntax errors and repeated names in turn, then the missing commas between
    /// arguments, across lines too. A repeated name is reported, not dropped.
    [[nodiscard]] std::vector<DirectiveArgument>
    parseNameValueArguments(std::vector<ParseError>& parseErrors) const;

    friend bool operator==(const DirectiveArgumentText&, const DirectiveArgumentText&) = default;

    std::vector<LineSegment> segments;
};

} // namespace markdown
