#include "Markdown/directives/LineRunText.hpp"

#include "Markdown/support/CharacterBreaks.hpp"

#include <algorithm>

namespace markdown {
LineRunText LineRunText::make(std::span<const TrimmedLine> lines, std::int64_t indentation) {
    LineRunText run;
    if (!lines.empty())
        run.startLine = lines.front().lineNumber().value_or(1);
    for (const TrimmedLine& line : lines) {
        if (&line != &lines.front())
            run.text += '\n';
        TrimmedLine rest = line;
        const std::size_t from = rest.parseIndex();
        rest.lexIndentation(indentation);
        std::string_view before = rest.untrimmedText().substr(0, rest.parseIndex());
        const auto trimmed = static_cast<std::int64_t>(characterCount(before));
        // Blanks left after the indentation go as they are, unless a tab among them would be
        // measured from the wrong column. A line at the top (no indentation) is the parser's
        // own.
        TrimmedLine afterBlanks = rest;
        const std::optional<TrimmedLine::Lex> blanks = afterBlanks.lexWhitespace();
        if (indentation == 0 || !blanks || blanks->text.find('\t') == std::string_view::npos) {
            run.trimmedIndentationPerLine.push_back(trimmed);
            run.widenedBlanksPerLine.emplace_back();
            run.text += rest.rest();
            continue;
        }
        std::int64_t column = 0;
        for (char blank : line.untrimmedText().substr(from, rest.parseIndex() - from))
            column = TrimmedLine::columnAfter(column, blank);
        WidenedBlanks widened(trimmed + 1);
        for (char blank : blanks->text) {
            const std::int64_t end = TrimmedLine::columnAfter(column, blank);
            // A tab cut by the indentation keeps the columns beyond it.
            const std::int64_t spaces = end - std::max(column, indentation);
            widened.append(spaces);
            run.text.append(static_cast<std::size_t>(spaces), ' ');
            column = end;
        }
        run.text += afterBlanks.rest();
        run.trimmedIndentationPerLine.push_back(
            trimmed + static_cast<std::int64_t>(blanks->text.size()) - widened.spaces());
        run.widenedBlanksPerLine.push_back(std::move(widened));
    }
    return run;
}

} // namespace markdown
