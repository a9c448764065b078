#include "Markdown/format/RoadReading.hpp"

#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/elements/Document.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/support/CharacterBreaks.hpp"

#include <algorithm>
#include <iterator>
#include <string>

namespace markdown {
namespace {

// Whether a line may end after the character: the parser trims whitespace there, and a
// backslash would make a hard break.
bool mayEndLineAfter(char c) {
    return std::string_view(" \t\n\\").find(c) == std::string_view::npos;
}

bool opensWithEscapedTildes(std::string_view line) {
    return line.starts_with("\\~\\~\\~") || line.starts_with("\\~~~");
}

// The text with the escaped run of three tildes that opens its line at `start` (past the first)
// bare, indented as code, where a paragraph's continuation line opens no code.
std::string withBareTildes(std::string_view text, std::size_t start) {
    const std::string_view line = text.substr(start);
    const std::size_t run = std::min(line.find_first_not_of("\\~"), line.size());
    const auto tildes = std::count(line.begin(), line.begin() + std::ptrdiff_t(run), '~');
    return std::string(text.substr(0, start))
        .append("    ")
        .append(std::size_t(tildes), '~')
        .append(text.substr(start + run));
}

std::string_view withoutIndentation(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

} // namespace

bool mayReadAsDirectiveSyntax(std::string_view line, bool inDirective) {
    const std::string_view rest = withoutIndentation(line);
    if (rest.starts_with('}'))
        return inDirective;
    // A name follows the at sign; a command's name the backslash of a Doxygen command.
    if (rest.size() < 2)
        return false;
    if (rest.front() == '@')
        return std::string_view("(),:{ \t").find(rest[1]) == std::string_view::npos;
    if (rest.front() != '\\')
        return false;
    std::size_t end = 1;
    while (end < rest.size() && isAsciiLetter(rest[end]))
        ++end;
    return doxygenCommandNamed(rest.substr(1, end - 1)).has_value();
}

std::optional<std::string> withLineFlippingToggle(std::string_view text, bool mayBreak) {
    constexpr std::string_view escapedRun = "\\`\\`\\`";
    const std::vector<BacktickRun> runs = bareBacktickRuns(text);
    // A bare run opens a code span where another bare run of its length closes it.
    if (runs.empty())
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            const std::string_view line = text.substr(start, end - start);
            if (line.starts_with(escapedRun) &&
                (start > 0 || line.find('`', escapedRun.size()) != std::string_view::npos))
                return std::string(text.substr(0, start)) + (start > 0 ? "    ```" : "```") +
                       std::string(text.substr(start + escapedRun.size()));
            // Wrapped, the first line may run on to the backtick that keeps the run from
            // opening code, where its line ends were spaces.
            if (const std::size_t backtick = text.find('`', escapedRun.size());
                start == 0 && mayBreak && line.starts_with(escapedRun) &&
                backtick != std::string_view::npos) {
                std::string joined = "```" + std::string(text.substr(escapedRun.size()));
                std::replace(joined.begin(), joined.begin() + std::ptrdiff_t(backtick - 3), '\n',
                             ' ');
                return joined;
            }
            start = end + 1;
        }
    // A single space before the run may become a line end, before any link's destination and
    // title, outside code spans (which would keep the line end and indentation) and where no
    // bare run of three could close the run made bare.
    const std::string spaceAndRun = " " + std::string(escapedRun);
    std::size_t space = text.find(spaceAndRun);
    while (space != std::string_view::npos && (space == 0 || !mayEndLineAfter(text[space - 1])))
        space = text.find(spaceAndRun, space + 1);
    if (!mayBreak || space == std::string_view::npos || text.find("](") < space)
        return std::nullopt;
    const auto closesSpan = [&](const BacktickRun& run) {
        return std::any_of(runs.begin(), runs.end(), [&](const BacktickRun& opener) {
            return opener.spanEnd == run.start + run.length;
        });
    };
    for (const BacktickRun& run : runs) {
        if (run.spanEnd && run.start < space && space < *run.spanEnd)
            return std::nullopt;
        // A pair of runs of three before the line end has closed its span already.
        if (run.length == 3 && (run.start > space || !(run.spanEnd || closesSpan(run))))
            return std::nullopt;
    }
    return std::string(text.substr(0, space)) + "\n    ```" +
           std::string(text.substr(space + 1 + escapedRun.size()));
}

std::vector<BacktickRun> bareBacktickRuns(std::string_view text) {
    const auto runAt = [&](std::size_t at) {
        return std::min(text.find_first_not_of('`', at), text.size()) - at;
    };
    std::vector<BacktickRun> runs;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\\' && at + 1 < text.size() && isAsciiPunctuation(text[at + 1])) {
            at += 2;
            continue;
        }
        if (text[at] != '`') {
            ++at;
            continue;
        }
        const std::size_t length = runAt(at);
        // Inside a code span a backslash escapes nothing.
        std::optional<std::size_t> closer;
        for (std::size_t next = text.find('`', at + length); next != std::string_view::npos;) {
            const std::size_t nextLength = runAt(next);
            if (nextLength == length) {
                closer = next;
                break;
            }
            next = text.find('`', next + nextLength);
        }
        runs.push_back({at, length, closer ? std::optional(*closer + length) : std::nullopt});
        if (closer)
            runs.push_back({*closer, length, std::nullopt});
        at = closer ? *closer + length : at + length;
    }
    return runs;
}

std::vector<std::string> linesFlippingToggle(std::string_view text, bool mayEndLines) {
    // Each line's start in turn, the first few: a paragraph's text rarely holds more such runs.
    constexpr std::size_t mostTries = 8;
    constexpr std::string_view escapedRun = "\\`\\`\\`";
    std::vector<std::string> candidates;
    for (std::size_t start = 0; start < text.size() && candidates.size() < mostTries;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        const std::string_view indent = start > 0 ? "    " : "";
        auto replaced = [&](std::size_t length, std::string_view by) {
            candidates.push_back(
                std::string(text.substr(0, start)).append(by).append(text.substr(start + length)));
        };
        if (line.starts_with(escapedRun))
            replaced(escapedRun.size(), std::string(indent) + "```");
        else if (line.starts_with("```"))
            replaced(3, escapedRun);
        else if (start > 0 && opensWithEscapedTildes(line))
            candidates.push_back(withBareTildes(text, start));
        start = end + 1;
    }
    if (!mayEndLines)
        return candidates;
    const std::size_t most = candidates.size() + mostTries;
    // A line may end before escaped tildes to open the next with them, where it is wrapped.
    for (std::size_t space = text.find(" \\~");
         space != std::string_view::npos && candidates.size() < most;
         space = text.find(" \\~", space + 1))
        if (space > 0 && mayEndLineAfter(text[space - 1]) &&
            opensWithEscapedTildes(text.substr(space + 1)))
            candidates.push_back(withBareTildes(
                std::string(text.substr(0, space)).append("\n").append(text.substr(space + 1)),
                space + 1));
    // A line end inside a code span reads as the space it replaces, and the indentation after
    // it is taken off.
    for (const BacktickRun& run : bareBacktickRuns(text)) {
        if (!run.spanEnd)
            continue;
        // A span that opens with a run of three may open the next line itself.
        if (run.length >= 3 && run.start >= 2 && text[run.start - 1] == ' ' &&
            mayEndLineAfter(text[run.start - 2]) && candidates.size() < most)
            candidates.push_back(std::string(text.substr(0, run.start - 1))
                                     .append("\n    ")
                                     .append(text.substr(run.start)));
        const std::size_t last = *run.spanEnd - run.length;
        for (std::size_t space = text.find(' ', run.start + run.length);
             space < last && candidates.size() < most; space = text.find(' ', space + 1)) {
            const std::string_view after = text.substr(space + 1);
            // Inside code, whitespace and a backslash stay as they are.
            if (after.starts_with("```") || after.starts_with("~~~"))
                candidates.push_back(
                    std::string(text.substr(0, space)).append("\n    ").append(after));
        }
    }
    return candidates;
}

bool readAlike(std::string_view printed, std::string_view other) {
    return Document::parsing(printed).hasSameStructure(Document::parsing(other));
}

std::int64_t indentationColumns(std::string_view line) {
    std::int64_t columns = 0;
    for (std::size_t i = 0; i < line.size() && (line[i] == ' ' || line[i] == '\t'); ++i)
        columns = line[i] == ' ' ? columns + 1 : (columns + 4) & ~std::int64_t{3};
    return columns;
}

RoadReading RoadReading::of(bool inCode, bool inDirective, std::string_view openingLine,
                            std::string_view restPrefix, std::string_view code,
                            std::optional<std::string_view> closingLine,
                            std::optional<std::int64_t> codeColumns) {
    RoadReading reading;
    auto read = [&](std::string_view line, bool isCode) {
        if (readsAsRoadFence(line)) {
            inCode = !inCode;
        } else if (isCode && !inCode && mayReadAsDirectiveSyntax(line, inDirective) &&
                   !(codeColumns && indentationColumns(line) >= *codeColumns)) {
            reading.codeKept = false;
        }
    };
    read(openingLine, false);
    std::string line;
    for (std::size_t start = 0; start < code.size();) {
        std::size_t end = code.find('\n', start);
        end = end == std::string_view::npos ? code.size() : end;
        line.assign(restPrefix).append(code.substr(start, end - start));
        read(line, true);
        start = end + 1;
    }
    if (closingLine)
        read(*closingLine, false);
    reading.endsInCode = inCode;
    return reading;
}

RoadReading RoadReading::withoutToggle(std::string_view restPrefix, std::string_view code) {
    RoadReading reading;
    std::string line;
    for (std::size_t start = 0; start < code.size();) {
        const std::size_t end = std::min(code.find('\n', start), code.size());
        line.assign(restPrefix).append(code.substr(start, end - start));
        reading.codeKept = reading.codeKept && !mayReadAsDirectiveSyntax(line, false);
        start = end + 1;
    }
    return reading;
}

} // namespace markdown
