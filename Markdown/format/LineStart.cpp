#include "Markdown/format/LineStart.hpp"

#include "Markdown/format/HTMLBlockStart.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"

#include <string>

namespace markdown {
namespace {

char at(std::string_view text, std::size_t index) {
    return index < text.size() ? text[index] : '\0';
}

// The HTML blocks that may interrupt a paragraph: those of the block-level names, and scripts,
// comments, processing instructions, declarations and character data.
bool interruptsParagraphAsHTML(std::string_view line) {
    std::size_t i = 1;
    if (at(line, i) == '/')
        ++i;
    else if (at(line, i) == '!' || at(line, i) == '?')
        return true;
    std::size_t end = i;
    while (end < line.size() && isAsciiAlphanumeric(line[end]))
        ++end;
    return isHTMLBlockTagName(line.substr(i, end - i));
}

} // namespace

std::size_t escapePointOfLineStart(std::string_view line) {
    std::size_t digits = 0;
    while (digits < line.size() && isAsciiDigit(line[digits]))
        ++digits;
    return digits;
}

bool opensBlockAtLineStart(std::string_view line, bool inParagraph) {
    // Most lines open with a letter, which opens nothing.
    if (line.empty() || isAsciiLetter(line[0]) || static_cast<unsigned char>(line[0]) >= 0x80)
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
    case '\\':
        return isAsciiLetter(second); // a Doxygen command
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

} // namespace markdown
