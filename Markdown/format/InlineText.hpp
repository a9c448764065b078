#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace markdown {

/// The printed Markdown of a run of inline elements, before it is laid out on lines. Besides the
/// text it knows which characters are literal (so that a backslash may go before them) and which
/// spaces a long line may be broken at.
class InlineText {
public:
    /// Where a long line is broken: a line end alone or a hard break, and the widest line.
    struct Wrapping {
        bool hardBreak = false;
        std::int64_t maxLength = 0;
    };
    /// How the lines of the text stand in the printed page.
    struct Layout {
        /// Whether a line's start may open a block, so that literal text there needs escaping;
        /// only the first line's may where the others are indented past any block's opening.
        bool linesStartBlocks = true;
        bool restIndentedPastBlocks = false;
        /// The width of what goes before the first line and before every other line.
        std::int64_t firstIndent = 0;
        std::int64_t restIndent = 0;
        std::optional<Wrapping> wrapping;
        /// Whether a "}" that ends a line would close a block directive around the text.
        bool lineEndsCloseDirectives = false;
    };

    /// Markup printed as it is; with `breakable`, a long line may break at its spaces.
    void appendMarkup(std::string_view markup, bool breakable = false);
    /// Where a text stands among what is printed around it.
    struct TextContext {
        /// In a table cell, where "|" ends the cell.
        bool inCell = false;
        /// The character printed right after the text, where it is known.
        std::optional<char> following;
        /// Right after an emphasis opener, or right before its closer.
        bool afterOpener = false;
        bool beforeCloser = false;
        /// Right before an emphasis span's opener, or right after a closer.
        bool beforeOpener = false;
        bool afterCloser = false;
        /// Whether space stands before that opener, or after that closer: there punctuation
        /// inside the run keeps it from neither opening nor closing, nor lets it do both.
        bool spaceBeforeOpener = false;
        bool spaceAfterCloser = false;
        /// Tildes right after the opener or before the closer, or brackets, printed without
        /// backslashes.
        bool bareOpeningTildes = false;
        bool bareClosingTildes = false;
        bool bareBrackets = false;
        /// Brackets outside link text left bare unless one would close a link right there, and
        /// a "!" or "^" before one: without reference definitions in the printed text, a
        /// bracket that closes no inline link reads as itself, which the printer checks.
        bool looseBrackets = false;
        /// Tildes that end the text before an opener, or open it after a closer, left bare.
        bool bareTildesBesideRuns = false;
        /// Line breaks that only the directive road knows left bare beside delimiter runs.
        bool bareLineBreaks = false;
    };
    /// Text that reads back as itself: every character that could open something is escaped.
    void appendText(std::string_view text, const TextContext& context);
    /// A text of nothing, which only the line end right after it can say.
    void appendEmptyText();
    /// A line end: a hard break, or a soft one.
    void appendLineEnd(bool hard);
    /// Text appended while unbreakable keeps its spaces: inline attributes end at a line end.
    void setUnbreakable(bool on) { unbreakable = on; }
    [[nodiscard]] bool isUnbreakable() const { return unbreakable; }
    /// Empties the text and keeps its buffers for the next.
    void clear();
    /// Takes the backslash off a literal `c` that ends the text, so that it joins the delimiter
    /// run printed next; false when the text does not end with one.
    bool unescapeLast(char c);
    /// Takes the backslashes off every literal `c` in the run of them that ends the text.
    void unescapeRun(char c);
    /// Leaves the literal `c`s that open the text appended next without backslashes, so that
    /// they join the delimiter run that ends this one.
    void joinNextLiterals(char c) { bareNext = c; }
    /// Notes, under `tag`, whether joining the literal `c`s that open the text appended next
    /// would change anything: it would where `joinNextLiterals` here would leave one bare.
    void watchNextLiterals(char c, std::size_t tag) { watched = {c, tag}; }
    /// The tags of the watches that a text opening with their character met, in order.
    [[nodiscard]] const std::vector<std::size_t>& metWatches() const { return met; }

    /// Prints the characters that start at `offsets` (ascending, each a literal or a space) as
    /// numeric references, which flank a delimiter run as punctuation whatever they are.
    void referenceCharacters(const std::vector<std::size_t>& offsets);
    /// Whether the byte at `offset` is a character of a text printed as it is.
    [[nodiscard]] bool isLiteralAt(std::size_t offset) const { return isLiteral(offset); }

    /// Whether a bracket, or a "!" or "^" before one, was left bare that would else be escaped.
    [[nodiscard]] bool leftBracketsBare() const { return bracketsLeftBare; }

    [[nodiscard]] const std::string& text() const { return printed; }
    [[nodiscard]] bool empty() const { return printed.empty(); }

    /// The text with a backslash before literal text that would open a block at a line's start,
    /// wrapped at spaces as the layout asks.
    [[nodiscard]] std::string laidOut(const Layout& layout) const;
    /// The same in `out`, whose buffer is reused.
    void layOut(const Layout& layout, std::string& out) const;

private:
    /// Characters printed as they are, where a backslash may go before any of them.
    void appendLiterals(std::string_view run);
    /// Notes the characters at [first, end) of the text as literal.
    void noteLiterals(std::size_t first, std::size_t end) {
        if (first == end)
            return;
        if (!literals.empty() && literals.back().second == first)
            literals.back().second = end;
        else
            literals.emplace_back(first, end);
    }
    [[nodiscard]] bool isLiteral(std::size_t offset) const;

    std::string printed;
    // Runs of literal characters, [first, second) offsets, ascending and apart.
    std::vector<std::pair<std::size_t, std::size_t>> literals;
    std::vector<std::size_t> breakable; // offsets of spaces a line may break at, ascending
    bool emptyTextPending = false;
    bool unbreakable = false;
    bool bracketsLeftBare = false;
    char bareNext = 0;
    std::optional<std::pair<char, std::size_t>> watched;
    std::vector<std::size_t> met;
};

} // namespace markdown
