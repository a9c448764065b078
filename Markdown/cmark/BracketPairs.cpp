#include "Markdown/cmark/BracketPairs.hpp"

#include <algorithm>
#include <vector>

namespace markdown {
namespace {

bool isASCIIPunctuation(char c) {
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
           (c >= '{' && c <= '~');
}

std::size_t runEnd(std::string_view line, std::size_t at) {
    while (at < line.size() && line[at] == '`')
        ++at;
    return at;
}

// Where the backtick runs of a line start, by run length: a code span closes with the next whole
// run as long as its opening one.
class BacktickRuns {
public:
    explicit BacktickRuns(std::string_view line) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '`')
                continue;
            const std::size_t end = runEnd(line, i);
            startsByLength[end - i].push_back(i);
            i = end;
        }
    }

    std::optional<std::size_t> nextStart(std::size_t length, std::size_t from) const {
        const auto starts = startsByLength.find(length);
        if (starts == startsByLength.end())
            return std::nullopt;
        const auto next = std::lower_bound(starts->second.begin(), starts->second.end(), from);
        if (next == starts->second.end())
            return std::nullopt;
        return *next;
    }

private:
    std::unordered_map<std::size_t, std::vector<std::size_t>> startsByLength;
};

} // namespace

BracketPairs::BracketPairs(std::string_view text) {
    for (std::size_t lineStart = 0; lineStart < text.size();) {
        const std::size_t lineEnd = std::min(text.find_first_of("\r\n", lineStart), text.size());
        pairLine(text.substr(lineStart, lineEnd - lineStart), lineStart);
        lineStart = lineEnd + 1;
    }
}

std::optional<std::size_t> BracketPairs::closing(std::size_t opening) const {
    const auto pair = closingOf.find(opening);
    if (pair == closingOf.end())
        return std::nullopt;
    return pair->second;
}

void BracketPairs::pairLine(std::string_view line, std::size_t lineStart) {
    const BacktickRuns runs(line);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size() && isASCIIPunctuation(line[i + 1])) {
            i += 2;
        } else if (c == '`') {
            // After an escaped backtick the span opens with the rest of the run.
            const std::size_t end = runEnd(line, i);
            const auto closer = runs.nextStart(end - i, end);
            i = closer ? *closer + (end - i) : end;
        } else {
            if (c == '[') {
                open.push_back(i);
            } else if (c == ']' && !open.empty()) {
                closingOf.emplace(lineStart + open.back(), lineStart + i);
                open.pop_back();
            }
            ++i;
        }
    }
}

} // namespace markdown
