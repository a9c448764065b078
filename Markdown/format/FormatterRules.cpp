#include "Markdown/format/FormatterRules.hpp"

#include "Markdown/format/MarkdownCharacters.hpp"

#include <algorithm>

namespace markdown {

std::string indentedCode(std::string_view code, std::string_view indent) {
    std::string indented;
    for (std::size_t start = 0; start <= code.size();) {
        const std::size_t end = std::min(code.find('\n', start), code.size());
        indented.append(start == 0 ? "" : "\n").append(end > start ? indent : "");
        indented.append(code.substr(start, end - start));
        start = end + 1;
    }
    return indented;
}

void keepFinalSpace(std::string& laidOut) {
    if (laidOut.empty() || (laidOut.back() != '\v' && laidOut.back() != '\f'))
        return;
    const char last = laidOut.back();
    laidOut.pop_back();
    const std::size_t backslashes = laidOut.size() - 1 - laidOut.find_last_not_of('\\');
    if (!laidOut.empty() && backslashes % 2 == 1)
        laidOut += '\\';
    laidOut += lineBreakReference(std::string_view(&last, 1));
}

std::string_view withoutFinalLineEnds(std::string_view text) {
    while (text.ends_with('\n'))
        text.remove_suffix(1);
    return text;
}

bool opensFootnoteDefinition(std::string_view text) {
    if (!text.starts_with("[^"))
        return false;
    const std::size_t end = text.find_first_of("] \t\n", 2);
    return end != std::string_view::npos && end > 2 && text[end] == ']' &&
           text.substr(end + 1).starts_with(':');
}

} // namespace markdown
