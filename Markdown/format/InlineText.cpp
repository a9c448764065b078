#include "Markdown/format/InlineText.hpp"

#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/support/CharacterBreaks.hpp"

#include <algorithm>

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

} // namespace

bool opensBlockAtLineStart(std::string_view line) {
    if (line.empty())
        return false;
    const char first = line[0];
    const char second = at(line, 1);
    const bool spaceOrEnd = second == '\0' || second == ' ' || second == '\t';
    switch (first) {
    case '#':
    case '>':
    case '|':
    case ':':
    case '<':
    case '@':
    case '}':
    case ' ':
    case '\t':
        return true;
    case '-':
    case '=':
    case '*':
    case '_':
        return spaceOrEnd || second == first;
    case '+':
        return spaceOrEnd;
    case '`':
    case '~':
        return line.starts_with(first == '`' ? "```" : "~~~");
    default:
        break;
    }
    const std::size_t digits = escapePointOfLineStart(line);
    return digits > 0 && digits <= 9 && (at(line, digits) == '.' || at(line, digits) == ')');
}

void InlineText::appendMarkup(std::string_view markup) {
    printed += markup;
}

void InlineText::appendLiteral(char c, bool escaped) {
    if (escaped)
        printed += '\\';
    else if (c == ' ')
        breakable.push_back(printed.size());
    else if (static_cast<unsigned char>(c) < 0x80)
        literals.push_back(printed.size());
    printed += c;
}

void InlineText::appendText(std::string_view text, bool inCell) {
    int dotsInARow = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char previous = i > 0 ? text[i - 1] : '\0';
        const char next = at(text, i + 1);
        const bool atEnd = i + 1 == text.size();
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
            escaped = backslashEscapes(text, i);
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
            escaped = atEnd; // a link after it would read as an image
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
        appendLiteral(c, escaped);
    }
}

void InlineText::appendLineEnd(bool hard) {
    printed += hard ? "  \n" : "\n";
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
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);

        std::size_t escapeAt = std::string_view::npos;
        if (layout.linesStartBlocks && opensBlockAtLineStart(line)) {
            const std::size_t point = lineStart + escapePointOfLineStart(line);
            if (contains(literals, point) && isAsciiPunctuation(text[point]))
                escapeAt = point;
        }

        // Words of the line: the text between spaces where a break keeps the tree.
        std::int64_t column = lineStart == 0 ? layout.firstIndent : layout.restIndent;
        std::size_t wordStart = lineStart;
        bool lineHasWord = false;
        auto emitWord = [&](std::size_t from, std::size_t to) {
            if (escapeAt >= from && escapeAt < to) {
                out.append(text.substr(from, escapeAt - from));
                out += '\\';
                out.append(text.substr(escapeAt, to - escapeAt));
                ++column;
            } else {
                out.append(text.substr(from, to - from));
            }
            column += static_cast<std::int64_t>(characterCount(text.substr(from, to - from)));
        };
        while (nextBreakable < breakable.size() && breakable[nextBreakable] < lineStart)
            ++nextBreakable;
        for (; nextBreakable < breakable.size() && breakable[nextBreakable] < lineEnd;
             ++nextBreakable) {
            const std::size_t space = breakable[nextBreakable];
            if (!layout.wrapping || space == lineStart || space + 1 >= lineEnd)
                continue;
            const char before = text[space - 1];
            if (before == ' ' || before == '\\' || text[space + 1] == ' ' ||
                opensBlockAtLineStart(text.substr(space + 1, lineEnd - space - 1)))
                continue;
            // The word up to this space, then decide whether the next word still fits.
            emitWord(wordStart, space);
            lineHasWord = true;
            std::size_t nextWordEnd = lineEnd;
            if (nextBreakable + 1 < breakable.size() && breakable[nextBreakable + 1] < lineEnd)
                nextWordEnd = breakable[nextBreakable + 1];
            const auto nextWidth = static_cast<std::int64_t>(
                characterCount(text.substr(space + 1, nextWordEnd - space - 1)));
            const std::int64_t marker = layout.wrapping->hardBreak ? 2 : 0;
            if (lineHasWord && column + 1 + nextWidth + marker > layout.wrapping->maxLength) {
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
