#pragma once

#include "Markdown/tree/DirectiveArgumentText.hpp"
#include "Markdown/tree/SourceLocation.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace markdown {

class ParseContainerStack;

/// An open block directive: "@Name", an optional argument list in parentheses (possibly over
/// several lines) and optional content between braces, consumed line by line.
struct PendingBlockDirective {
    /// Where the directive's syntax stands. `contentsEnd` is never entered; wherever the
    /// parser asks whether a directive is in its contents it takes it like `contents`.
    enum class ParseState {
        argumentsStart,
        argumentsText,
        argumentsEnd,
        contentsStart,
        contents,
        contentsEnd,
        done
    };

    /// The directive the line opens, its rest already consumed; absent when the line is code
    /// for the stack or does not start with "@" and a name.
    static std::optional<PendingBlockDirective> parseOpeningLine(const TrimmedLine& line,
                                                                 const ParseContainerStack& stack);

    // One step per state, each on the rest of a line (a copy). The result tells whether the
    // line belongs to the directive. A step called in another state stops the program.
    bool parseArgumentsStart(TrimmedLine line);
    bool parseArgumentsText(TrimmedLine line);
    bool parseArgumentsEnd(TrimmedLine line);
    bool parseContentsStart(TrimmedLine line);
    /// A line starting with "}" closes the directive. A line ending with "}" closes it too and
    /// leaves what stands before the brace as `pendingLine`, but refuses the line.
    bool parseContents(TrimmedLine line);

    /// The argument text as a parsed directive keeps it: one segment per token, holding the
    /// token's line from its start up to the token's end and parsed from the token's start.
    /// `input` is the text the lines were cut from; the tokens must lie in it.
    [[nodiscard]] DirectiveArgumentText argumentText(std::string_view input) const;

    [[nodiscard]] bool isInContents() const {
        return parseState == ParseState::contents || parseState == ParseState::contentsEnd;
    }

    std::int64_t atIndentationColumnCount;
    /// Indentation of the content; from the first non-blank content line.
    std::optional<std::int64_t> innerIndentationColumnCount;
    SourceLocation atLocation;
    SourceLocation nameLocation;
    std::string_view name;
    /// One token per line that contributed argument text.
    std::vector<TrimmedLine::Lex> argumentsText;
    ParseState parseState = ParseState::argumentsStart;
    /// Just after the last syntax consumed so far.
    SourceLocation endLocation;
    /// Content cut from the line of the closing brace, its prefix replaced by spaces.
    std::optional<TrimmedLine> pendingLine;
};

} // namespace markdown
