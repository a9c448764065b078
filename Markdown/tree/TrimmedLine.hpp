#pragma once

#include "Markdown/support/URL.hpp"
#include "Markdown/tree/SourceRange.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace markdown {

/// One input line of the block-directive parser: the whole line and a parse position that only
/// moves forward. Lexing consumes characters (grapheme clusters) at that position and hands
/// them out with their exact place; columns count UTF-8 bytes from the line's start.
///
/// The text is a view of the parsed input, which must outlive the line and its tokens; a line
/// made from text of its own (`owning`) keeps that text alive in every copy.
class TrimmedLine {
public:
    /// Consumed characters and where they stood.
    struct Lex {
        /// A view of the line's text.
        std::string_view text;
        /// From before the first consumed character to after the last; absent when the line
        /// has no line number.
        std::optional<SourceRange> range;

        /// Texts compare by canonical equivalence, ranges exactly.
        friend bool operator==(const Lex& a, const Lex& b);
    };

    /// A line of the input, parsed from byte `parseIndex` of `untrimmedText` on.
    TrimmedLine(std::string_view untrimmedText, std::size_t parseIndex,
                std::optional<std::int64_t> lineNumber, std::optional<URL> source);
    /// A line whose text is not part of the input, parsed from its start.
    static TrimmedLine owning(std::string text, std::optional<std::int64_t> lineNumber,
                              std::optional<URL> source);

    /// The whole line, without its line break.
    [[nodiscard]] std::string_view untrimmedText() const { return text; }
    /// Byte offset in `untrimmedText` of the next character to lex.
    [[nodiscard]] std::size_t parseIndex() const { return index; }
    /// The text from the parse position on.
    [[nodiscard]] std::string_view rest() const { return text.substr(index); }
    [[nodiscard]] const std::optional<std::int64_t>& lineNumber() const { return number; }
    [[nodiscard]] const std::optional<URL>& source() const { return file; }

    /// The place of the parse position; absent without a line number.
    [[nodiscard]] std::optional<SourceLocation> location() const;

    /// Consumes up to `count` characters, fewer where the line ends. Nothing is consumed and
    /// the result is absent when no character would be taken, unless `allowEmpty`, which gives
    /// an empty token instead. A negative count with `allowEmpty` stops the program.
    std::optional<Lex> lex(std::int64_t count, bool allowEmpty = false);
    /// Consumes a run of spaces and tabs, at most `maxLength` of them when given.
    std::optional<Lex> lexWhitespace(std::optional<std::int64_t> maxLength = std::nullopt);
    /// Consumes the spaces and tabs that fill at most `maxColumns` columns, counted from the
    /// parse position as `indentationColumnCount` counts them; a tab that would reach past the
    /// limit stays.
    std::optional<Lex> lexIndentation(std::int64_t maxColumns);
    /// Consumes the characters before the first `stop` (an ASCII character), or to the end.
    std::optional<Lex> lexUntil(char stop);
    /// Consumes the next character when it is exactly `c` (an ASCII character).
    std::optional<Lex> lexCharacter(char c);

    /// True when the rest holds nothing but spaces and tabs.
    [[nodiscard]] bool isEmptyOrAllWhitespace() const;
    /// The columns of the line's leading spaces and tabs, a tab moving to the next multiple of
    /// 4; measured from the line's start whatever the parse position.
    [[nodiscard]] std::int64_t indentationColumnCount() const;
    /// True when the rest, after spaces and tabs, begins with ``` or ~~~ (however indented).
    [[nodiscard]] bool isCodeFence() const;

    /// The column after the blank (a space or a tab) `c` at `column`, counted from 0: a tab
    /// reaches the next multiple of 4. Any other character stops the program.
    [[nodiscard]] static std::int64_t columnAfter(std::int64_t column, char c);

private:
    std::shared_ptr<const std::string> storage; // only for `owning` lines
    std::string_view text;
    std::size_t index;
    std::optional<std::int64_t> number;
    std::optional<URL> file;
};

} // namespace markdown
