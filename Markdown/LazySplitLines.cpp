#include "Markdown/LazySplitLines.hpp"

namespace markdown {
namespace {

// The byte length of the newline character at `offset`, or 0 when none stands there. Each of
// these scalars is a character of its own (CR LF aside), so bytes decide.
std::size_t newlineLength(std::string_view text, std::size_t offset) {
    switch (text[offset]) {
    case '\n':
    case '\v':
    case '\f':
        return 1;
    case '\r':
        return offset + 1 < text.size() && text[offset + 1] == '\n' ? 2 : 1;
    case '\xC2':
        return text.substr(offset, 2) == "\xC2\x85" ? 2 : 0;
    case '\xE2':
        return text.substr(offset, 3) == "\xE2\x80\xA8" || text.substr(offset, 3) == "\xE2\x80\xA9"
                   ? 3
                   : 0;
    default:
        return 0;
    }
}

} // namespace

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
