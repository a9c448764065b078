#include "Markdown/tree/LazySplitLines.hpp"

#include "Markdown/support/CharacterBreaks.hpp"

namespace markdown {

LazySplitLines::Iterator::Iterator(std::string_view input, std::optional<URL> source)
    : source(std::move(source)) {
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < input.size();) {
        if (std::size_t length = newlineLength(input, i); length > 0) {
            rawLines.push_back(input.substr(lineStart, i - lineStart));
            i += length;
            lineStart = i;
        } else {
            ++i;
        }
    }
    rawLines.push_back(input.substr(lineStart));
}

std::optional<TrimmedLine> LazySplitLines::Iterator::next() {
    if (index == rawLines.size())
        return std::nullopt;
    std::string_view line = rawLines[index];
    TrimmedLine trimmed(line, 0, static_cast<std::int64_t>(index) + 1, source);
    ++index;
    precedingConsecutiveEmptyLineCount = line.empty() ? precedingConsecutiveEmptyLineCount + 1 : 0;
    return trimmed;
}

} // namespace markdown
