// The printer's output: lines with their prefixes, line ends owed, the blocks' spacing, and the
// laying out of an inline run, whose lines may flip the directive road's fence toggle.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/format/FormatterRules.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/format/RoadReading.hpp"
#include "Markdown/format/SoftBreakDeleter.hpp"
#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/support/Fatal.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace markdown {
namespace {

// Where bare braces end the text's first line: the road may take one for the end of the
// directive whose content the line opens. The lines after it join the text it opens.
std::vector<std::size_t> bracesEndingFirstLine(std::string_view text) {
    std::vector<std::size_t> braces;
    const std::size_t firstEnd = std::min(text.find('\n'), text.size());
    for (std::size_t brace = text.find('}'); brace < firstEnd; brace = text.find('}', brace + 1)) {
        const std::size_t next = text.find_first_not_of(" \t", brace + 1);
        if ((next == std::string_view::npos || next == firstEnd) && !isEscapedAt(text, brace))
            braces.push_back(brace);
    }
    return braces;
}

} // namespace

void MarkupFormatter::defaultVisit(const Markup& markup) {
    std::string_view typeName = dispatchOnKind(markup, [](const auto& element) {
        return std::remove_cvref_t<decltype(element)>::typeName;
    });
    fatal("Formatter not implemented for " + std::string(typeName));
}

void MarkupFormatter::printInlines(InlineText text, bool linesStartBlocks, bool wrap,
                                   const Markup* paragraph) {
    // Queued line ends put the text on a line of its own.
    const bool continuesLine = lineOpen && current.queuedNewlines == 0;
    InlineText::Layout layout{.linesStartBlocks = linesStartBlocks,
                              .restIndentedPastBlocks = blocks.definitionLines,
                              .firstIndent =
                                  continuesLine ? state().currentLength : prefixes.nextWidth(),
                              .restIndent = prefixes.restWidth(),
                              .wrapping = std::nullopt,
                              .lineEndsCloseDirectives = directive.depth > 0 && !inCell};
    if (wrap && options.preferredLineLimit)
        layout.wrapping = InlineText::Wrapping{options.preferredLineLimit->lineSplittingElement ==
                                                   Options::LineSplittingElement::hardBreak,
                                               options.preferredLineLimit->maxLength};
    std::string& laidOut = laidOutText;
    const std::int64_t trailing = layOutInlines(text, layout, laidOut);
    // A code span may open a line with a run that the road takes for a fence.
    const auto roadEndsInCode = [&](std::string_view text) {
        const std::size_t firstEnd = std::min(text.find('\n'), text.size());
        const std::string firstLine =
            (!continuesLine ? prefixes.nextLinePrefix()
                            : std::string(printed.substr(printed.rfind('\n') + 1))) +
            std::string(text.substr(0, firstEnd));
        const std::string_view rest = firstEnd < text.size() ? text.substr(firstEnd + 1) : "";
        return RoadReading::of(road.inCode, directive.depth > 0, firstLine, prefixes.restPrefix(),
                               rest, std::nullopt)
            .endsInCode;
    };
    // A line of the text may have to flip the road's toggle, as it did in the source: off for
    // the directives after it, or on where the code after it needs that.
    // Only a line that opens with three backticks or tildes flips it.
    const auto linesMayFlip = [&] {
        return laidOut.find("```") != std::string::npos || laidOut.find("~~~") != std::string::npos;
    };
    bool mayFlip = false;
    if (!directive.inDoxygen &&
        (laidOut.find('`') != std::string::npos || laidOut.find('~') != std::string::npos)) {
        mayFlip = linesMayFlip();
        const bool end = mayFlip ? roadEndsInCode(laidOut) : road.inCode;
        // Off where the block after it can be read so; on only where it needs that.
        const std::uint8_t wanted = road.wantedAfter();
        if (end ? (wanted & offState) != 0 : wanted == onState) {
            // Wrapped text may move its line ends: it is read against the paragraph itself.
            const auto readsLikeText = [&](std::string_view candidate) {
                if (!layout.wrapping || !paragraph)
                    return readAlike(laidOut, candidate);
                std::string alone(candidate);
                // Read alone, the text would lose a byte order mark that opens it.
                referenceOpeningByteOrderMark(alone);
                return readBack(alone, *paragraph->raw().markup, true).same;
            };
            const std::size_t bracesBefore = bracesEndingFirstLine(laidOut).size();
            // Only a line that opens a directive's content, with no blank line before it, may
            // close the directive with a brace at its end.
            const bool firstLineCloses = layout.lineEndsCloseDirectives && runStart &&
                                         current.queuedNewlines + current.newlineStreak < 2;
            const auto flips = [&](std::string& candidate) {
                // A reference says a brace that a line end now follows as text.
                if (const std::vector<std::size_t> braces = bracesEndingFirstLine(candidate);
                    firstLineCloses && braces.size() > bracesBefore)
                    for (auto brace = braces.rbegin(); brace != braces.rend(); ++brace)
                        candidate.replace(*brace, 1, "&#125;");
                if (roadEndsInCode(candidate) == end || !readsLikeText(candidate))
                    return false;
                laidOut = std::move(candidate);
                mayFlip = true;
                return true;
            };
            bool flipped = false;
            for (std::string& candidate : linesFlippingToggle(laidOut, paragraph != nullptr))
                if ((flipped = flips(candidate)))
                    break;
            if (!flipped)
                if (std::optional<std::string> broken =
                        withLineFlippingToggle(laidOut, layout.wrapping.has_value()))
                    flipped = flips(*broken);
            // Else a code span may open a line with a longer run (ending the line before it
            // where it stands within one), or end one line and open the next with its closing
            // run.
            for (std::size_t tried = 0; !flipped && paragraph && tried < 16; ++tried) {
                codeSpanSplit = {tried / 2, tried % 2 == 1};
                std::size_t codeSpans = 0;
                InlineText split = gatherInlines(*paragraph, &codeSpans);
                codeSpanSplit.span.reset();
                if (codeSpans <= tried / 2)
                    break;
                std::string candidate;
                const std::int64_t splitTrailing = layOutInlines(split, layout, candidate);
                if (splitTrailing != trailing)
                    continue;
                if (!(flipped = flips(candidate)))
                    for (std::string& broken : linesFlippingToggle(candidate, true))
                        if ((flipped = flips(broken)))
                            break;
            }
        }
    }
    if (mayFlip)
        road.inCode = roadEndsInCode(laidOut);
    print(laidOut);
    queueNewlines(trailing);
    recycle(std::move(text));
}

std::int64_t MarkupFormatter::layOutInlines(InlineText& text, const InlineText::Layout& layout,
                                            std::string& laidOut) const {
    text.layOut(layout, laidOut);
    keepFinalSpace(laidOut);
    // The parser drops a byte order mark that opens the text it is given (on the directive road,
    // each run of lines between directives); a reference keeps it.
    if (runStart)
        referenceOpeningByteOrderMark(laidOut);
    // Line ends with nothing after them are owed to whatever is printed next.
    std::int64_t trailing = 0;
    while (laidOut.ends_with('\n')) {
        laidOut.pop_back();
        ++trailing;
    }
    return trailing;
}

void MarkupFormatter::recycle(InlineText text) {
    text.clear();
    spareInlines = std::move(text);
}

void MarkupFormatter::print(std::string_view text) {
    if (text.empty())
        return;
    printQueuedNewlines();
    constexpr auto none = std::string_view::npos;
    std::size_t end = text.find('\n');
    for (std::size_t lineStart = 0;;) {
        const std::size_t nextEnd = end == none ? none : text.find('\n', end + 1);
        const std::string_view line = text.substr(lineStart, end == none ? end : end - lineStart);
        if (!line.empty()) {
            if (!lineOpen) {
                write(prefixes.takeLinePrefix());
                lineOpen = true;
            }
            write(line);
        }
        if (end == none)
            break;
        writeLineEnd();
        lineStart = end + 1;
        end = nextEnd;
    }
}

const MarkupFormatter::State& MarkupFormatter::state() const {
    pendingLengths.settle(printed, current.currentLength, current.lastLineLength);
    return current;
}

void MarkupFormatter::printQueuedNewlines() {
    for (; current.queuedNewlines > 0; --current.queuedNewlines)
        writeLineEnd();
}

void MarkupFormatter::printBareLine() {
    printQueuedNewlines();
    std::string prefix = prefixes.takeLinePrefix();
    while (prefix.ends_with(' '))
        prefix.pop_back();
    write(prefix);
    lineOpen = true;
}

void MarkupFormatter::write(std::string_view text) {
    runStart = runStart && text.empty();
    addToLine(text);
    printed += text;
}

void MarkupFormatter::writeLineEnd() {
    if (!lineOpen)
        write(prefixes.blankLinePrefix());
    printed += '\n';
    lineOpen = false;
    current.lastLineLength = current.currentLength;
    current.currentLength = 0;
    pendingLengths.endLine();
    current.lineNumber = checkedAdd(current.lineNumber, 1);
    current.newlineStreak = checkedAdd(current.newlineStreak, 1);
}

void MarkupFormatter::addToLine(std::string_view text) {
    if (text.empty())
        return;
    pendingLengths.add(printed.size(), text.size());
    current.newlineStreak = 0;
}

void MarkupFormatter::queueNewlines(std::int64_t count) {
    current.queuedNewlines = checkedAdd(current.queuedNewlines, count);
}

void MarkupFormatter::startBlock() {
    blocks.joinedTightly = false;
    blocks.joinOptional = false;
    const bool optional = std::exchange(blocks.itemJoin, false);
    if (std::exchange(blocks.blockPlaced, false))
        return;
    const bool forced = std::exchange(blocks.tightStart, false) || blocks.tightBlocks;
    const bool tight = forced || optional;
    blocks.joinedTightly = tight && !printed.empty();
    blocks.joinOptional = blocks.joinedTightly && !forced;
    if (!printed.empty())
        current.queuedNewlines =
            std::max(current.queuedNewlines, (tight ? 1 : 2) - current.newlineStreak);
}

void MarkupFormatter::startContainer() {
    startBlock();
    blocks.blockPlaced = true;
}

std::string format(const Markup& markup, const MarkupFormatter::Options& options) {
    std::optional<Markup> printable = markup;
    // Text that is to be re-wrapped keeps none of the source's line ends.
    if (options.preferredLineLimit)
        printable = withoutSoftBreaks(markup);
    if (!printable)
        return {};
    MarkupFormatter formatter(options);
    printable->accept(formatter);
    return std::move(formatter).result();
}

} // namespace markdown
