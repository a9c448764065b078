#include "Markdown/format/InlineText.hpp"

#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/support/CharacterBreaks.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace markdown {
namespace {

char at(std::string_view text, std::size_t index) {
    return index < text.size() ? text[index] : '\0';
}

// Where a backslash makes a line start plain text: the delimiter after a number, else the
// first character.
std::size_t escapePointOfLineStart(std::string_view line) {
    std::size_t digits = 0;
    while (digits < line.size() && isAsciiDigit(line[digits]))
        ++digits;
    return digits;
}

bool contains(const std::vector<std::size_t>& sorted, std::size_t offset) {
    return std::binary_search(sorted.begin(), sorted.end(), offset);
}

// The HTML blocks that may interrupt a paragraph: those of the block-level names, and scripts,
// comments, processing instructions, declarations and character data.
bool interruptsParagraphAsHTML(std::string_view line) {
    static constexpr std::string_view names[] = {
        "address", "article",  "aside",   "base",     "basefont", "blockquote", "body",
        "caption", "center",   "col",     "colgroup", "dd",       "details",    "dialog",
        "dir",     "div",      "dl",      "dt",       "fieldset", "figcaption", "figure",
        "footer",  "form",     "frame",   "frameset", "h1",       "h2",         "h3",
        "h4",      "h5",       "h6",      "head",     "header",   "hr",         "html",
        "iframe",  "legend",   "li",      "link",     "main",     "menu",       "menuitem",
        "nav",     "noframes", "ol",      "optgroup", "option",   "p",          "param",
        "section", "source",   "summary", "table",    "tbody",    "td",         "tfoot",
        "th",      "thead",    "title",   "tr",       "track",    "ul",         "script",
        "pre",     "style",    "textarea"};
    std::size_t i = 1;
    if (at(line, i) == '/')
        ++i;
    else if (at(line, i) == '!' || at(line, i) == '?')
        return true;
    std::size_t end = i;
    while (end < line.size() && isAsciiAlphanumeric(line[end]))
        ++end;
    std::string name(line.substr(i, end - i));
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (std::string_view blockName : names)
        if (name == blockName)
            return true;
    return false;
}

} // namespace

bool opensBlockAtLineStart(std::string_view line, bool inParagraph) {
    if (line.empty())
        return false;
    // A table's delimiter row under a line of text.
    if (line.find_first_not_of("|-: \t") == std::string_view::npos &&
        line.find('-') != std::string_view::npos)
        return true;
    const char first = line[0];
    const char second = at(line, 1);
    const bool spaceOrEnd = second == '\0' || second == ' ' || second == '\t';
    switch (first) {
    case '#':
    case '>':
    case '|':
    case ':':
    case '@':
    case '}':
    case ' ':
    case '\t':
        return true;
    case '<':
        return !inParagraph || interruptsParagraphAsHTML(line);
    case '-':
    case '=':
    case '*':
    case '_':
        // A list item, or a line of nothing but the character: a thematic break or underline.
        return spaceOrEnd ||
               line.find_first_not_of(std::string{first, ' ', '\t'}) == std::string_view::npos;
    case '+':
        return spaceOrEnd;
    case '`':
    case '~':
        return line.starts_with(first == '`' ? "```" : "~~~");
    default:
        break;
    }
    const std::size_t digits = escapePointOfLineStart(line);
    if (digits == 0 || digits > 9 || (at(line, digits) != '.' && at(line, digits) != ')'))
        return false;
    // Inside a paragraph only a list that starts at 1 opens.
    return !inParagraph ||
           (line[digits - 1] == '1' &&
            line.substr(0, digits - 1).find_first_not_of('0') == std::string_view::npos);
}

void InlineText::appendEmptyText() {
    emptyTextPending = true;
}

void InlineText::appendMarkup(std::string_view markup, bool breakableSpaces) {
    emptyTextPending = markup.empty() && emptyTextPending;
    if (breakableSpaces)
        for (std::size_t space = markup.find(' '); space != std::string_view::npos;
             space = markup.find(' ', space + 1))
            breakable.push_back(printed.size() + space);
    printed += markup;
}

void InlineText::appendLiterals(std::string_view run) {
    if (run.empty())
        return;
    if (!literals.empty() && literals.back().second == printed.size())
        literals.back().second += run.size();
    else
        literals.emplace_back(printed.size(), printed.size() + run.size());
    printed += run;
}

bool InlineText::isLiteral(std::size_t offset) const {
    auto run =
        std::upper_bound(literals.begin(), literals.end(), offset,
                         [](std::size_t value, const auto& run) { return value < run.first; });
    return run != literals.begin() && offset < std::prev(run)->second;
}

void InlineText::appendText(std::string_view text, bool inCell, std::optional<char> following) {
    // The characters that may need a backslash, or are spaces or line ends; any other character
    // is printed as it is.
    static constexpr auto needsLook = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : std::string_view("\n\r *`[]~\"'\\_<&!-.|"))
            table[c] = true;
        return table;
    }();
    emptyTextPending = text.empty() && emptyTextPending;
    int dotsInARow = 0;
    std::size_t runStart = 0; // of the characters printed as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!needsLook[static_cast<unsigned char>(text[i])]) {
            dotsInARow = 0;
            continue;
        }
        const char c = text[i];
        const char previous = i > 0 ? text[i - 1] : '\0';
        // At the text's end, what follows is the next element's, when it is known.
        const bool last = i + 1 == text.size();
        const char next = last ? following.value_or('\0') : text[i + 1];
        const bool atEnd = last && !following;
        if (c == '\n' || c == '\r' || c == ' ') {
            appendLiterals(text.substr(runStart, i - runStart));
            runStart = i + 1;
            dotsInARow = 0;
            if (c == ' ')
                breakable.push_back(printed.size());
            // A line end of the text itself is no line end of the printed lines.
            printed += c == ' ' ? " " : c == '\n' ? "&#10;" : "&#13;";
            continue;
        }
        bool escaped = false;
        switch (c) {
        case '*':
        case '`':
        case '[':
        case ']':
        case '~':
        case '"': // smart punctuation would curl straight quotes
        case '\'':
            escaped = true;
            break;
        case '\\':
            escaped = atEnd || next == '\n' || isAsciiPunctuation(next);
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
        case '!':
            escaped = atEnd || next == '['; // a link after it would read as an image
            break;
        case '-':
            escaped = previous == '-'; // dashes
            break;
        case '.':
            escaped = dotsInARow == 2; // an ellipsis
            break;
        case '|':
            escaped = inCell;
            break;
        default:
            break;
        }
        dotsInARow = c == '.' && !escaped ? dotsInARow + 1 : 0;
        if (escaped) {
            appendLiterals(text.substr(runStart, i - runStart));
            runStart = i + 1;
            printed += '\\';
            printed += c;
        }
    }
    appendLiterals(text.substr(runStart));
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

std::string InlineText::laidOut(const Layout& layout) const {
    std::string out;
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
            out += leadingSpace ? "&#32;" : "&#9;";
            ++lineStart;
            ++column;
        }
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        std::size_t escapeAt = std::string_view::npos;
        if (layout.linesStartBlocks && opensBlockAtLineStart(line, lineStart != 0)) {
            const std::size_t point = lineStart + escapePointOfLineStart(line);
            if (isLiteral(point) && isAsciiPunctuation(text[point]))
                escapeAt = point;
        }

        // The spaces of the line where a break keeps the tree.
        std::vector<std::size_t> breaks;
        while (nextBreakable < breakable.size() && breakable[nextBreakable] < lineStart)
            ++nextBreakable;
        for (; nextBreakable < breakable.size() && breakable[nextBreakable] < lineEnd;
             ++nextBreakable) {
            const std::size_t space = breakable[nextBreakable];
            if (!layout.wrapping || space == lineStart || space + 1 >= lineEnd)
                continue;
            const char before = text[space - 1];
            if (before != ' ' && before != '\\' && text[space + 1] != ' ' &&
                !opensBlockAtLineStart(text.substr(space + 1, lineEnd - space - 1), true))
                breaks.push_back(space);
        }
        std::size_t wordStart = lineStart;
        auto emitWord = [&](std::size_t from, std::size_t to) {
            if (escapeAt >= from && escapeAt < to) {
                out.append(text.substr(from, escapeAt - from));
                out += '\\';
                out.append(text.substr(escapeAt, to - escapeAt));
                ++column;
            } else {
                out.append(text.substr(from, to - from));
            }
            if (layout.wrapping) // only wrapping needs the width
                column += static_cast<std::int64_t>(characterCount(text.substr(from, to - from)));
        };
        for (std::size_t b = 0; b < breaks.size(); ++b) {
            const std::size_t space = breaks[b];
            emitWord(wordStart, space);
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
        }
        emitWord(wordStart, lineEnd);
        if (lineEnd == text.size())
            break;
        out += '\n';
        lineStart = lineEnd + 1;
    }
    return out;
}

} // namespace markdown
