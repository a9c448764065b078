#include "Markdown/format/InlineSyntax.hpp"

#include "Markdown/format/MarkdownCharacters.hpp"

#include <algorithm>
#include <set>

namespace markdown {
namespace {

bool isControlOrSpace(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == 0x7f;
}

// Backslash escapes for the characters in `special` and for a backslash wherever the parser
// would read an escape there. Here references are read before escapes, so an ampersand that
// would start one is itself a reference; and a line break that only the directive road knows
// is one.
std::string escaped(std::string_view text, std::string_view special) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&' && startsEntity(text, i)) {
            out += "&amp;";
            continue;
        }
        if (const std::string_view lineBreak = roadLineBreakAt(text, i); !lineBreak.empty()) {
            out += lineBreakReference(lineBreak);
            i += lineBreak.size() - 1;
            continue;
        }
        // A line end would end the line the payload must stay on.
        if (c == '\n' || c == '\r') {
            out += c == '\n' ? "&#10;" : "&#13;";
            continue;
        }
        if (special.find(c) != std::string_view::npos || (c == '\\' && backslashEscapes(text, i)))
            out += '\\';
        out += c;
    }
    return out;
}

std::string spaceReferences(std::string_view spaces) {
    std::string out;
    for (char c : spaces)
        out += whitespaceReference(c);
    return out;
}

bool hasBalancedParentheses(std::string_view text) {
    int depth = 0;
    for (char c : text) {
        if (c == '(')
            ++depth;
        else if (c == ')' && --depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace

std::string codeSpan(std::string_view code, std::size_t minimumRun, bool inCell) {
    std::set<std::size_t> runs;
    for (std::size_t i = 0; i < code.size();) {
        if (code[i] != '`') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < code.size() && code[i] == '`')
            ++i;
        runs.insert(i - start);
    }
    std::size_t run = std::max<std::size_t>(minimumRun, 1);
    while (runs.contains(run))
        ++run;
    const std::string fence(run, '`');
    const bool allSpaces = code.find_first_not_of(' ') == std::string_view::npos;
    const bool padded =
        !code.empty() && !allSpaces &&
        (code.front() == '`' || code.back() == '`' || (code.front() == ' ' && code.back() == ' '));
    std::string body;
    for (char c : code) {
        if (inCell && c == '|')
            body += '\\';
        body += c;
    }
    const std::string pad = padded ? " " : "";
    return fence + pad + body + pad + fence;
}

std::string linkDestination(const std::optional<std::string>& destination) {
    if (!destination)
        return {};
    const std::string_view text = *destination;
    const bool bracketed = std::any_of(text.begin(), text.end(), isControlOrSpace) ||
                           text.front() == '<' || !hasBalancedParentheses(text);
    if (!bracketed)
        return escaped(text, "()");
    // The parser trims the destination before it reads references.
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return "<" + spaceReferences(text) + ">";
    const std::size_t last = text.find_last_not_of(" \t") + 1;
    return "<" + spaceReferences(text.substr(0, first)) +
           escaped(text.substr(first, last - first), "<>") + spaceReferences(text.substr(last)) +
           ">";
}

std::string linkTitle(std::string_view title) {
    return "\"" + escaped(title, "\"") + "\"";
}

bool isAutolinkable(std::string_view destination) {
    const std::size_t colon = destination.find(':');
    if (colon == std::string_view::npos || colon < 2 || colon > 32 ||
        !isAsciiLetter(destination[0]))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = destination[i];
        if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '.' && c != '-')
            return false;
    }
    return std::none_of(destination.begin(), destination.end(),
                        [](char c) { return isControlOrSpace(c) || c == '<' || c == '>'; });
}

std::string infoString(std::string_view language) {
    return escaped(language, "`");
}

} // namespace markdown
