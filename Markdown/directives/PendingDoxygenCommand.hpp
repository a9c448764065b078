#pragma once

#include "Markdown/tree/SourceLocation.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace markdown {

class ParseContainerStack;

/// An open Doxygen command ("@param x ...", "\returns ...") and what its lines tell of it.
struct PendingDoxygenCommand {
    struct CommandKind {
        enum Case { param, discussion, note, abstract, returns };
        Case kind;
        /// The parameter's name, for `param` only.
        std::string_view parameterName = {};

        /// "'note'", or "'param' Argument: 'name'" for a parameter.
        [[nodiscard]] std::string debugDescription() const;
        friend bool operator==(const CommandKind&, const CommandKind&) = default;
    };

    /// The command the line opens, paired with the line whose parse position stands after the
    /// command (and the parameter's name) and the blanks that follow; absent when the stack's
    /// options leave Doxygen out, inside directive content, in code, or for another word.
    static std::optional<std::pair<PendingDoxygenCommand, TrimmedLine>>
    parseOpeningLine(const TrimmedLine& line, const ParseContainerStack& stack);

    /// Takes one more line of the command.
    void addLine(const TrimmedLine& line);

    /// Where the "@" or "\" stands.
    SourceLocation atLocation;
    /// Spaces and tabs before the "@" or "\", a tab counting 1.
    std::int64_t atSignIndentation;
    SourceLocation nameLocation;
    /// Indentation of the first non-blank line after the opening line.
    std::optional<std::int64_t> innerIndentation;
    CommandKind kind;
    /// Just past the last line added.
    SourceLocation endLocation;
};

} // namespace markdown
