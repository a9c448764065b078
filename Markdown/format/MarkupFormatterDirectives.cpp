// The printer's block directives and Doxygen commands, as the directive road reads them back.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/format/FormatterRules.hpp"
#include "Markdown/support/CharacterBreaks.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace markdown {
namespace {

// Whether the road reads the argument lines from `first` on, each on a line of its own after
// the opening line, as argument text: the first that is not blank sets the directive's
// indentation, and past it a line that could be directive syntax must be indented as code. A
// closing brace matters only inside another directive.
bool argumentLinesRead(const std::vector<std::string_view>& lines, std::size_t first,
                       bool inDirective) {
    std::optional<std::int64_t> inner;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::int64_t columns = indentationColumns(lines[i]);
        if (!inner && lines[i].find_first_not_of(" \t") != std::string_view::npos)
            inner = columns;
        if (mayReadAsDirectiveSyntax(lines[i], inDirective) && columns - inner.value_or(0) < 4)
            return false;
    }
    return true;
}

} // namespace

void MarkupFormatter::visitBlockDirective(const BlockDirective& blockDirective) {
    startBlock();
    const auto& segments = blockDirective.argumentText().segments;
    std::vector<std::string_view> lines;
    lines.reserve(segments.size());
    for (const auto& segment : segments)
        lines.push_back(segment.trimmedText());
    // A line after the first keeps the indentation it was read with, which includes that of the
    // content around it: where every such line has it, it goes, as printing puts it back.
    const auto around = static_cast<std::size_t>(prefixes.restWidth());
    const auto hasAround = [&](std::string_view line) {
        return line.find_first_not_of(' ') >= std::min(around, line.size()) ||
               line.find_first_not_of(" \t") == std::string_view::npos;
    };
    if (around > 0 && std::all_of(lines.begin() + (lines.empty() ? 0 : 1), lines.end(), hasAround))
        for (std::size_t i = 1; i < lines.size(); ++i)
            lines[i].remove_prefix(
                std::min({around, lines[i].size(), lines[i].find_first_not_of(" \t")}));
    // The road reads an argument line as directive syntax unless it is indented as code past
    // the first line after the opening one; the first argument then may have to stand there.
    const bool inDirective = directive.depth > 0;
    const bool firstAlone =
        !argumentLinesRead(lines, 1, inDirective) && argumentLinesRead(lines, 0, inDirective);
    std::string opening = "@" + blockDirective.name();
    for (std::size_t i = 0; i < lines.size(); ++i)
        opening.append(i > 0 ? "\n" : firstAlone ? "(\n" : "(").append(lines[i]);
    // Where the last line leaves a quote or an escape open, a ")" would be argument text: an
    // empty list stays open as it did in the source, up to the blank line after it; before
    // content the ")" takes the next line.
    if (!segments.empty()) {
        const std::string closed = std::string(lines.back()) + ")";
        if (argumentTextLength(closed) < static_cast<std::int64_t>(characterCount(closed)))
            opening += ')';
        else if (!blockDirective.isEmpty())
            opening += "\n)";
    }
    // Alone, a Doxygen command's name would open the command; a brace against it keeps it the
    // directive's.
    const bool braceAgainstName =
        segments.empty() && doxygenCommandNamed(blockDirective.name()).has_value();
    road.inCode = false;
    if (blockDirective.isEmpty()) {
        print(opening + (braceAgainstName ? "{}" : ""));
        runStart = true;
        return;
    }
    // Where code opens the content, a brace on a line of its own sets the content's indentation,
    // so that the code may be indented.
    const auto first = blockDirective.raw().markup->child(0);
    directive.braceAlone = !braceAgainstName && first->kind() == RawMarkupKind::codeBlock;
    print(opening + (braceAgainstName ? "{" : directive.braceAlone ? "\n{" : " {"));
    runStart = true;
    road.inCode = false;
    // The first line after the opening one sets how much indentation the road takes off the
    // content's lines; the content gets as much.
    std::size_t indentation = 0;
    bool indentationSet = false;
    for (std::size_t end = opening.find('\n'); end != std::string::npos;) {
        const std::size_t start = end + 1;
        end = opening.find('\n', start);
        const std::string_view line = std::string_view(opening).substr(start, end - start);
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            indentation = static_cast<std::size_t>(indentationColumns(line));
            indentationSet = true;
            break;
        }
    }
    prefixes.push(std::string(indentation, ' '), std::string(indentation, ' '));
    // The road takes off the indentation of the first line after the opening one that is not
    // blank: an argument line's, the brace's, else the first content line's, which only an HTML
    // block may start with spaces.
    const auto wasCodeColumns =
        std::exchange(directive.codeColumns, indentationSet || directive.braceAlone ||
                                                     first->kind() != RawMarkupKind::htmlBlock
                                                 ? std::optional(prefixes.restWidth() + 4)
                                                 : std::nullopt);
    const bool wasTight = std::exchange(blocks.tightBlocks, false);
    const MarkupData root = blockDirective.data().root();
    const bool wasEndingTree = std::exchange(
        directive.endsTree, blockDirective.data().raw.metadata.id.childId +
                                    blockDirective.raw().markup->subtreeCount() ==
                                root.raw.metadata.id.childId + root.raw.markup->subtreeCount());
    blocks.tightStart = true;
    ++directive.depth;
    printBlocks(blockDirective);
    --directive.depth;
    directive.codeColumns = wasCodeColumns;
    prefixes.pop();
    // Where the fence toggle is left on, the road would take a closing brace for code; a
    // directive that ends the text needs none.
    if (!road.inCode || !directive.endsTree) {
        blocks.tightStart = true;
        startBlock();
        print("}");
        runStart = true;
        road.inCode = false;
    }
    directive.endsTree = wasEndingTree;
    blocks.tightBlocks = wasTight;
}

void MarkupFormatter::printDoxygen(const std::string& opening, const Markup& command) {
    startBlock();
    road.inCode = false;
    if (command.isEmpty()) {
        print(opening);
        return;
    }
    runStart = true;
    // The text starts on the command's own line and runs to the next blank line, so its
    // blocks follow each other without one. The first line after the command's sets how much
    // indentation the road takes off the rest: the continuation lines of a list, code or HTML
    // keep theirs only where the block starts on that line.
    const RawMarkupKind first = command.childAt(0)->kind();
    if (isList(first) || first == RawMarkupKind::codeBlock || first == RawMarkupKind::htmlBlock) {
        print(opening);
        queueNewlines(1);
        prefixes.push("", "");
    } else {
        prefixes.push(opening + " ", "");
    }
    const bool wasTight = std::exchange(blocks.tightBlocks, true);
    directive.inDoxygen = true;
    printBlocks(command);
    directive.inDoxygen = false;
    blocks.tightBlocks = wasTight;
    prefixes.pop();
}

void MarkupFormatter::visitDoxygenDiscussion(const DoxygenDiscussion& doxygenDiscussion) {
    printDoxygen("@discussion", doxygenDiscussion);
}

void MarkupFormatter::visitDoxygenNote(const DoxygenNote& doxygenNote) {
    printDoxygen("@note", doxygenNote);
}

void MarkupFormatter::visitDoxygenAbstract(const DoxygenAbstract& doxygenAbstract) {
    printDoxygen("@abstract", doxygenAbstract);
}

void MarkupFormatter::visitDoxygenParameter(const DoxygenParameter& doxygenParameter) {
    printDoxygen("@param " + doxygenParameter.name(), doxygenParameter);
}

void MarkupFormatter::visitDoxygenReturns(const DoxygenReturns& doxygenReturns) {
    printDoxygen("@returns", doxygenReturns);
}

} // namespace markdown
