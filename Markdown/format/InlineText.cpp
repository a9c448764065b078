#include "Markdown/format/InlineText.hpp"

#include "Markdown/format/LineStart.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/support/CharacterBreaks.hpp"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

namespace markdown {
namespace {

bool contains(const std::vector<std::size_t>& sorted, std::size_t offset) {
    return std::binary_search(sorted.begin(), sorted.end(), offset);
}

} // namespace

void InlineText::clear() {
    printed.clear();
    literals.clear();
    breakable.clear();
    emptyTextPending = false;
    unbreakable = false;
    bracketsLeftBare = false;
    // A join left over from the last run must not reach the first text of the next.
    bareNext = 0;
    watched.reset();
    met.clear();
}

void InlineText::appendEmptyText() {
    emptyTextPending = true;
}

void InlineText::appendMarkup(std::string_view markup, bool breakableSpaces) {
    emptyTextPending = markup.empty() && emptyTextPending;
    if (!markup.empty()) {
        bareNext = 0;
        watched.reset();
    }
    if (breakableSpaces && !unbreakable)
        for (std::size_t space = markup.find(' '); space != std::string_view::npos;
             space = markup.find(' ', space + 1))
            breakable.push_back(printed.size() + space);
    printed += markup;
}

void InlineText::appendLiterals(std::string_view run) {
    noteLiterals(printed.size(), printed.size() + run.size());
    printed += run;
}

bool InlineText::isLiteral(std::size_t offset) const {
    auto run =
        std::upper_bound(literals.begin(), literals.end(), offset,
                         [](std::size_t value, const auto& run) { return value < run.first; });
    return run != literals.begin() && offset < std::prev(run)->second;
}

void InlineText::appendText(std::string_view text, const TextContext& context) {
    // The characters that may need a backslash, or are spaces or line ends; any other character
    // is printed as it is.
    static constexpr auto needsLook = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : std::string_view("\n\r\v\f\xC2\xE2 *`[]~\"'\\_<&!^-.|"))
            table[c] = true;
        return table;
    }();
    emptyTextPending = text.empty() && emptyTextPending;
    if (watched && !text.empty() && text.front() == watched->first)
        met.push_back(watched->second);
    watched.reset();
    const std::size_t bareRun =
        bareNext ? std::min(text.find_first_not_of(std::exchange(bareNext, 0)), text.size()) : 0;
    const bool opensRun = printed.empty();
    int dotsInARow = 0;
    std::size_t runStart = 0; // of the characters printed as they are
    // Spaces and the literal runs between them are noted as they come and copied at once, as
    // the text runs on, before anything else is printed: `printed` lacks the text from
    // `copied` to `runStart`.
    std::size_t copied = 0;
    const auto printedAt = [&](std::size_t offset) { return printed.size() + (offset - copied); };
    const auto copyUpTo = [&](std::size_t end) {
        printed += text.substr(copied, runStart - copied);
        appendLiterals(text.substr(runStart, end - runStart));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!needsLook[static_cast<unsigned char>(text[i])]) {
            dotsInARow = 0;
            continue;
        }
        const char c = text[i];
        if (c == ' ') {
            noteLiterals(printedAt(runStart), printedAt(i));
            if (!unbreakable)
                breakable.push_back(printedAt(i));
            runStart = i + 1;
            dotsInARow = 0;
            continue;
        }
        const char previous = i > 0 ? text[i - 1] : '\0';
        // At the text's end, what follows is the next element's, when it is known.
        const bool last = i + 1 == text.size();
        const char next = last ? context.following.value_or('\0') : text[i + 1];
        const bool atEnd = last && !context.following;
        // The directive road ends lines at these too; a reference keeps them text on both
        // roads. Beside a delimiter or a bare tilde (or what is not known) it flanks a run as
        // punctuation where the bare character flanks it as a word or space, which on this
        // road alone may be what reads back.
        if (const std::string_view lineBreak = c == '\v' || c == '\f' || c == '\xC2' || c == '\xE2'
                                                   ? roadLineBreakAt(text, i)
                                                   : std::string_view();
            !lineBreak.empty()) {
            const std::size_t after = i + lineBreak.size();
            // An emphasis run with space on its outer side opens (or closes) beside punctuation
            // as well, and never both. An escaped tilde is no delimiter.
            const bool delimiterBefore =
                i > 0
                    ? previous == '~' && !(runStart == i && printed.ends_with("\\~"))
                    : !printed.empty() &&
                          std::string_view("*_~").find(printed.back()) != std::string_view::npos &&
                          !(context.afterOpener && context.spaceBeforeOpener);
            const bool delimiterAfter =
                after < text.size()
                    ? text[after] == '~'
                    : !context.following && !(context.beforeCloser && context.spaceAfterCloser);
            if (!context.bareLineBreaks || (!delimiterBefore && !delimiterAfter)) {
                copyUpTo(i);
                printed += lineBreakReference(lineBreak);
                i = after - 1;
                runStart = copied = after;
                dotsInARow = 0;
                continue;
            }
        }
        if (c == '\n' || c == '\r') {
            copyUpTo(i);
            runStart = copied = i + 1;
            dotsInARow = 0;
            // A line end of the text itself is no line end of the printed lines.
            printed += c == '\n' ? "&#10;" : "&#13;";
            continue;
        }
        bool escaped = false;
        switch (i < bareRun ? '\0' : c) {
        case '~':
            // The parser looks through tildes for what flanks an emphasis delimiter, so a
            // backslash there flanks it as punctuation, which matters unless space stands on the
            // run's outer side; elsewhere the tilde, the text's only one, is left as it is.
            escaped = !(context.bareOpeningTildes && context.afterOpener &&
                        text.find_first_not_of('~') > i) &&
                      !(context.bareClosingTildes && context.beforeCloser &&
                        text.find_last_not_of('~') < i) &&
                      !(context.bareTildesBesideRuns &&
                        ((context.beforeOpener && text.find_first_not_of('~', i) == text.npos) ||
                         (context.afterCloser && text.find_first_not_of('~') > i))) &&
                      !((i == 0 && context.afterOpener && !context.spaceBeforeOpener &&
                         flanksAsWord(next) && text.find('~', 1) == text.npos) ||
                        (last && context.beforeCloser && !context.spaceAfterCloser &&
                         flanksAsWord(previous) && text.find('~') == i));
            break;
        case '[':
            escaped = !context.bareBrackets && !context.looseBrackets;
            bracketsLeftBare = bracketsLeftBare || !escaped;
            break;
        case ']':
            // Right before "(" it would close an inline link; after "[ ]" or "[x]" opening the
            // run it would make a list item's task box.
            escaped =
                !context.bareBrackets &&
                (!context.looseBrackets || next == '(' ||
                 (i == 2 && opensRun && text[0] == '[' &&
                  std::string_view(" xX").find(text[1]) != std::string_view::npos &&
                  (atEnd || std::string_view(" \t\n\r\v\f").find(next) != std::string_view::npos)));
            bracketsLeftBare = bracketsLeftBare || !escaped;
            break;
        case '*':
        case '`':
        case '"': // smart punctuation would curl straight quotes
        case '\'':
            escaped = true;
            break;
        case '\\':
            escaped = atEnd || next == '\n' || isAsciiPunctuation(next) ||
                      !roadLineBreakAt(text, i + 1).empty() || next == '\v' || next == '\f';
            break;
        case '_':
            escaped = !(isAsciiAlphanumeric(previous) && isAsciiAlphanumeric(next));
            break;
        case '<':
            escaped = atEnd || next == '/' || next == '!' || next == '?' || isAsciiLetter(next);
            break;
        case '&':
            escaped = startsEntity(text, i);
            break;
        case '!': // a link after it would read as an image
        case '^': // or as attributes
            escaped = atEnd || (next == '[' && !context.looseBrackets);
            bracketsLeftBare = bracketsLeftBare || (next == '[' && !escaped);
            break;
        case '-':
            escaped = previous == '-'; // dashes
            break;
        case '.':
            escaped = dotsInARow == 2; // an ellipsis
            break;
        case '|':
            escaped = context.inCell;
            break;
        default:
            break;
        }
        dotsInARow = c == '.' && !escaped ? dotsInARow + 1 : 0;
        if (escaped) {
            copyUpTo(i);
            runStart = copied = i + 1;
            printed += '\\';
            printed += c;
        }
    }
    copyUpTo(text.size());
}

void InlineText::appendLineEnd(bool hard) {
    // The parser keeps the spaces before a line end after markup as a text of nothing.
    if (std::exchange(emptyTextPending, false)) {
        printed += hard ? "  \n" : " \n";
        return;
    }
    // Elsewhere trailing spaces make a hard break only after literal text: they would leave an
    // empty line, take whitespace away with them, or leave a text of nothing after markup.
    const bool afterLiteral =
        !printed.empty() && printed.back() != ' ' && printed.back() != '\t' &&
        (static_cast<unsigned char>(printed.back()) >= 0x80 || isLiteral(printed.size() - 1));
    printed += hard ? (afterLiteral ? "  \n" : "\\\n") : "\n";
}

bool InlineText::unescapeLast(char c) {
    if (printed.size() < 2 || printed.back() != c || !isEscapedAt(printed, printed.size() - 1))
        return false;
    printed.erase(printed.size() - 2, 1);
    return true;
}

void InlineText::unescapeRun(char c) {
    for (std::size_t end = printed.size(); end > 0 && printed[end - 1] == c; --end) {
        if (isEscapedAt(printed, end - 1))
            printed.erase(--end - 1, 1);
    }
}

void InlineText::referenceCharacters(const std::vector<std::size_t>& offsets) {
    if (offsets.empty())
        return;
    std::string out;
    out.reserve(printed.size() + 8 * offsets.size());
    // Where each old offset lands: every reference grows the text after it.
    std::vector<std::pair<std::size_t, std::size_t>> moved; // (old end of a reference, growth)
    std::size_t from = 0;
    std::size_t growth = 0;
    for (std::size_t offset : offsets) {
        out.append(printed, from, offset - from);
        std::size_t end = offset;
        UChar32 c = 0;
        U8_NEXT(printed.data(), end, printed.size(), c);
        if (c < 0)
            c = 0xFFFD;
        const std::string reference = "&#" + std::to_string(c) + ";";
        out += reference;
        growth += reference.size() - (end - offset);
        moved.emplace_back(end, growth);
        from = end;
    }
    out.append(printed, from);
    auto shift = [&](std::size_t old) {
        auto after =
            std::upper_bound(moved.begin(), moved.end(), old,
                             [](std::size_t value, const auto& m) { return value < m.first; });
        return old + (after == moved.begin() ? 0 : std::prev(after)->second);
    };
    auto referenced = [&](std::size_t old) {
        auto at = std::lower_bound(offsets.begin(), offsets.end(), old);
        return at != offsets.end() && *at == old;
    };
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (auto [first, second] : literals) {
        // A run loses the characters now printed as references.
        std::size_t start = first;
        for (auto at = std::lower_bound(offsets.begin(), offsets.end(), first);
             at != offsets.end() && *at < second; ++at) {
            if (*at > start)
                runs.emplace_back(shift(start), shift(*at - 1) + 1);
            std::size_t end = *at;
            UChar32 c = 0;
            U8_NEXT(printed.data(), end, printed.size(), c);
            start = end;
        }
        if (start < second)
            runs.emplace_back(shift(start), shift(second - 1) + 1);
    }
    literals = std::move(runs);
    std::vector<std::size_t> spaces;
    for (std::size_t space : breakable)
        if (!referenced(space))
            spaces.push_back(shift(space));
    breakable = std::move(spaces);
    printed = std::move(out);
}

std::string InlineText::laidOut(const Layout& layout) const {
    std::string out;
    layOut(layout, out);
    return out;
}

void InlineText::layOut(const Layout& layout, std::string& out) const {
    out.clear();
    out.reserve(printed.size() + printed.size() / 16);
    const std::string_view text = printed;
    std::size_t nextBreakable = 0;
    for (std::size_t lineStart = 0; lineStart <= text.size();) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = text.size();
        std::int64_t column = lineStart == 0 ? layout.firstIndent : layout.restIndent;
        // Leading whitespace would be taken off the line, or make it code.
        const bool leadingSpace = lineStart < lineEnd && contains(breakable, lineStart);
        if (leadingSpace ||
            (lineStart < lineEnd && text[lineStart] == '\t' && isLiteral(lineStart))) {
            out += whitespaceReference(text[lineStart]);
            ++lineStart;
            ++column;
        }
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        std::size_t escapeAt = std::string_view::npos;
        if (layout.linesStartBlocks && !(lineStart != 0 && layout.restIndentedPastBlocks) &&
            opensBlockAtLineStart(line, lineStart != 0)) {
            const std::size_t point = lineStart + escapePointOfLineStart(line);
            if (isLiteral(point) && isAsciiPunctuation(text[point]))
                escapeAt = point;
        }

        // The spaces of the line where a break keeps the tree.
        std::vector<std::size_t> breaks;
        while (nextBreakable < breakable.size() && breakable[nextBreakable] < lineStart)
            ++nextBreakable;
        for (; layout.wrapping && nextBreakable < breakable.size() &&
               breakable[nextBreakable] < lineEnd;
             ++nextBreakable) {
            const std::size_t space = breakable[nextBreakable];
            if (space == lineStart || space + 1 >= lineEnd)
                continue;
            const char before = text[space - 1];
            // Whitespace beside a line end is taken off the line.
            const char after = text[space + 1];
            // The word may stand alone on its line when the space after it breaks too.
            const std::size_t wordEnd = nextBreakable + 1 < breakable.size()
                                            ? std::min(breakable[nextBreakable + 1], lineEnd)
                                            : lineEnd;
            // A brace that ended a line could close a directive.
            if (before != ' ' && before != '\t' && before != '\\' && after != ' ' &&
                !(layout.lineEndsCloseDirectives && before == '}') && after != '\t' &&
                !opensBlockAtLineStart(text.substr(space + 1, lineEnd - space - 1), true) &&
                !opensBlockAtLineStart(text.substr(space + 1, wordEnd - space - 1), true))
                breaks.push_back(space);
        }
        std::size_t wordStart = lineStart;
        // A word's width is counted once: as the next word when a break is weighed, and that
        // count is what the word adds to the column when it is emitted.
        auto emitWord = [&](std::size_t from, std::size_t to,
                            std::optional<std::int64_t> width = std::nullopt) {
            if (escapeAt >= from && escapeAt < to) {
                out.append(text.substr(from, escapeAt - from));
                out += '\\';
                out.append(text.substr(escapeAt, to - escapeAt));
                ++column;
            } else {
                out.append(text.substr(from, to - from));
            }
            if (layout.wrapping) // only wrapping needs the width
                column +=
                    width ? *width
                          : static_cast<std::int64_t>(characterCount(text.substr(from, to - from)));
        };
        std::optional<std::int64_t> measuredWidth;
        for (std::size_t b = 0; b < breaks.size(); ++b) {
            const std::size_t space = breaks[b];
            emitWord(wordStart, space, std::exchange(measuredWidth, std::nullopt));
            const std::size_t nextWordEnd = b + 1 < breaks.size() ? breaks[b + 1] : lineEnd;
            const auto nextWidth = static_cast<std::int64_t>(
                characterCount(text.substr(space + 1, nextWordEnd - space - 1)));
            const std::int64_t marker = layout.wrapping->hardBreak ? 2 : 0;
            if (column + 1 + nextWidth + marker > layout.wrapping->maxLength) {
                out += layout.wrapping->hardBreak ? "  \n" : "\n";
                column = layout.restIndent;
            } else {
                out += ' ';
                ++column;
            }
            wordStart = space + 1;
            if (b + 1 < breaks.size())
                measuredWidth = nextWidth;
        }
        // A reference says the closing brace as text; a backslash would still end the line in one.
        // The spaces of a hard break after it count for nothing.
        std::size_t brace = lineEnd;
        while (brace > lineStart && (text[brace - 1] == ' ' || text[brace - 1] == '\t'))
            --brace;
        const bool braceAtEnd = layout.lineEndsCloseDirectives && brace > lineStart &&
                                text[brace - 1] == '}' && isLiteral(brace - 1);
        if (braceAtEnd && escapeAt == brace - 1)
            escapeAt = std::string_view::npos;
        // The parser takes whitespace off a line's end; a reference keeps the last of it text.
        const bool spaceAtEnd =
            lineEnd > wordStart && (contains(breakable, lineEnd - 1) ||
                                    (text[lineEnd - 1] == '\t' && isLiteral(lineEnd - 1)));
        const std::size_t end = spaceAtEnd ? lineEnd - 1 : lineEnd;
        emitWord(wordStart, braceAtEnd ? brace - 1 : end);
        if (braceAtEnd)
            out.append("&#125;").append(text.substr(brace, end - brace));
        if (spaceAtEnd)
            out += whitespaceReference(text[end]);
        if (lineEnd == text.size())
            break;
        out += '\n';
        lineStart = lineEnd + 1;
    }
}

} // namespace markdown
