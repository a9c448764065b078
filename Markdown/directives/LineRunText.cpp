#include "Markdown/directives/LineRunText.hpp"

#include "Markdown/support/CharacterBreaks.hpp"

namespace markdown {

LineRunText LineRunText::make(std::span<const TrimmedLine> lines, std::int64_t indentation) {
    LineRunText run;
    if (!lines.empty())
        run.startLine = lines.front().lineNumber().value_or(1);
    for (const TrimmedLine& line : lines) {
        TrimmedLine rest = line;
        rest.lexIndentation(indentation);
        std::string_view before = rest.untrimmedText().substr(0, rest.parseIndex());
        run.trimmedIndentationPerLine.push_back(static_cast<std::int64_t>(characterCount(before)));
        if (&line != &lines.front())
            run.text += '\n';
        run.text += rest.rest();
    }
    return run;
}

} // namespace markdown
