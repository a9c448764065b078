#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/format/HTMLBlockStart.hpp"
#include "Markdown/format/InlineSyntax.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/format/RoadReading.hpp"
#include "Markdown/format/SoftBreakDeleter.hpp"
#include "Markdown/format/TableCellBreakDeleter.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/support/Fatal.hpp"
#include "Markdown/tree/ListTightness.hpp"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace markdown {
namespace {

// States of the road's fence toggle, as bits of a set.
constexpr std::uint8_t offState = 1;
constexpr std::uint8_t onState = 2;
constexpr std::uint8_t eitherState = offState | onState;

constexpr std::uint8_t stateBit(bool inCode) {
    return inCode ? onState : offState;
}
// The span of a strikethrough's runs, which have no choices.
constexpr std::size_t noSpan = static_cast<std::size_t>(-1);
const InlineVariant firstGuess;
// What one search for a printing that reads back may print and parse, in bytes, for a run of
// `size` bytes: a long run still gets a few hundred tries.
std::size_t searchBudget(std::size_t size) {
    return std::max(std::size_t(1) << 19, size << 11);
}

const InlineVariant& orFirstGuess(const InlineVariant* variant) {
    return variant ? *variant : firstGuess;
}

[[noreturn]] void stopOnTablePart(std::string_view method) {
    fatal("Do not call " + std::string(method) +
          " directly; markdown tables must be formatted as a single unit. Call `visitTable` on "
          "the parent table");
}

std::string_view delimiter(const std::optional<ColumnAlignment>& alignment) {
    if (!alignment)
        return "---";
    switch (*alignment) {
    case ColumnAlignment::left:
        return ":--";
    case ColumnAlignment::center:
        return ":-:";
    case ColumnAlignment::right:
        return "--:";
    }
    fatal("unknown column alignment");
}

// "| a | b |", with empty cells up to the column count; a cell another one covers is nothing
// between its pipes.
std::string tableLine(const std::vector<std::optional<std::string>>& cells, std::size_t columns) {
    std::string line = "|";
    for (std::size_t column = 0; column < columns; ++column) {
        if (column < cells.size() && !cells[column]) {
            line += '|';
            continue;
        }
        line += ' ';
        if (column < cells.size())
            line += *cells[column];
        line += " |";
    }
    return line;
}

std::size_t longestRun(std::string_view text, char c) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char d : text) {
        run = d == c ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// The raw node of the element's parent, if it has one.
const RawMarkup* parentNode(const Markup& markup) {
    const MarkupData* parent = markup.data().parent();
    return parent ? parent->raw.markup.get() : nullptr;
}

// The first character printed after the child at `index` of `parent`, where its next sibling
// tells. Read from the raw nodes: finding a sibling element costs as much as the siblings
// before it.
std::optional<char> followingCharacter(const RawMarkup* parent, std::int64_t index) {
    if (!parent)
        return std::nullopt;
    const RawMarkup& parentNode = *parent;
    const std::int64_t nextIndex = index + 1;
    if (nextIndex == parentNode.childCount())
        return parentNode.kind() == RawMarkupKind::paragraph ||
                       parentNode.kind() == RawMarkupKind::heading
                   ? std::optional('\n')
                   : std::nullopt;
    const RawMarkupData& next = parentNode.child(nextIndex)->data();
    if (next.kind() == RawMarkupKind::softBreak || next.kind() == RawMarkupKind::lineBreak)
        return '\n';
    // Adjacent texts print as one.
    for (std::int64_t i = nextIndex; i < parentNode.childCount(); ++i) {
        const auto* text = parentNode.child(i)->data().getIf<RawMarkupKind::text>();
        if (!text)
            break;
        if (!text->string.empty())
            return text->string.front();
    }
    return std::nullopt;
}

std::optional<char> followingCharacter(const Markup& markup) {
    return followingCharacter(parentNode(markup), markup.indexInParent());
}

// Code as an indented block: four spaces before every line that is not empty.
std::string indentedCode(std::string_view code, std::string_view indent = "    ") {
    std::string indented;
    for (std::size_t start = 0; start <= code.size();) {
        const std::size_t end = std::min(code.find('\n', start), code.size());
        indented.append(start == 0 ? "" : "\n").append(end > start ? indent : "");
        indented.append(code.substr(start, end - start));
        start = end + 1;
    }
    return indented;
}

bool isDelimited(const RawMarkup& node) {
    return node.kind() == RawMarkupKind::emphasis || node.kind() == RawMarkupKind::strong;
}

std::size_t runLengthOf(const RawMarkup& node) {
    return node.kind() == RawMarkupKind::strong ? 2 : 1;
}

// Whether an emphasis inside the span has a word beside it, where only asterisks work; the
// span's own runs had better be the other character then. An emphasis that opens the span
// joins its asterisk run, which is fine unless the parser could not pair the joined run with the
// emphasis's closer (it does not pair runs whose lengths add up to a multiple of three).
bool innerNeedsAsterisk(const Markup& span) {
    const RawMarkup& node = *span.raw().markup;
    const std::int64_t count = node.childCount();
    auto wordAt = [&](std::int64_t index, bool front) {
        if (index < 0 || index >= count)
            return false;
        const auto* text = node.child(index)->data().getIf<RawMarkupKind::text>();
        return text && !text->string.empty() &&
               flanksAsWord(front ? text->string.front() : text->string.back());
    };
    for (std::int64_t i = 1; i < count; ++i)
        if (isDelimited(*node.child(i)) && (wordAt(i - 1, false) || wordAt(i + 1, true)))
            return true;
    if (count < 2 || !isDelimited(*node.child(0)) || !wordAt(1, true))
        return false;
    std::size_t joined = runLengthOf(node);
    for (const RawMarkup* inner = node.child(0).get(); isDelimited(*inner);
         inner = inner->child(0).get()) {
        joined += runLengthOf(*inner);
        if (inner->childCount() == 0)
            break;
    }
    const std::size_t closer = runLengthOf(*node.child(0));
    return (joined + closer) % 3 == 0;
}

// Whether the asterisk run that opens the span, joined by that of the emphasis opening its
// first child, is of a length that its closers cannot match, where a word stands on both sides
// of them (the parser does not pair runs whose lengths add up to a multiple of three). A literal
// asterisk before the run makes it longer and stays text: the parser takes delimiters from the
// run's inner end.
bool opensWithJoiningRun(const Markup& span, std::size_t runLength, bool wordBefore) {
    const RawMarkup& node = *span.raw().markup;
    if (node.childCount() < 2 || !isDelimited(*node.child(0)))
        return false;
    const auto* next = node.child(1)->data().getIf<RawMarkupKind::text>();
    const bool childJoins =
        wordBefore || (next && !next->string.empty() &&
                       (next->string.front() == '~' || flanksAsWord(next->string.front())));
    const std::size_t childRun = node.child(0)->kind() == RawMarkupKind::strong ? 2 : 1;
    const std::size_t opener = runLength + childRun;
    return childJoins && childRun % 3 != 0 && (opener + childRun) % 3 == 0;
}

// Whether the run opens right after a literal asterisk that starts a word, before punctuation or
// markup: escaped, the asterisk would flank the run as punctuation, so that it could close too and
// not pair with a closer whose length adds up to a multiple of three. Bare, it joins the run and
// stays text, as the parser takes delimiters from the run's inner end.
bool opensAfterWordStartingAsterisk(std::string_view printed, const Markup& span) {
    const std::size_t size = printed.size();
    if (size < 2 || printed.substr(size - 2) != "\\*")
        return false;
    if (size > 2 && printed[size - 3] != ' ' && printed[size - 3] != '\n')
        return false;
    const RawMarkup& node = *span.raw().markup;
    if (node.childCount() == 0)
        return false;
    const auto* text = node.child(0)->data().getIf<RawMarkupKind::text>();
    return !text || (!text->string.empty() && isAsciiPunctuation(text->string.front()));
}

// Whether the span's last child is a text that ends with a word, before the span's closer.
bool closesAfterWord(const RawMarkup& node) {
    if (node.childCount() == 0)
        return false;
    const auto* text = node.child(node.childCount() - 1)->data().getIf<RawMarkupKind::text>();
    return text && !text->string.empty() && flanksAsWord(text->string.back());
}

// A block's text is trimmed of vertical tabs and form feeds at its end; a reference keeps one
// (and a backslash before it stays one).
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

// A code span whose closing run of three or more backticks opens a line of its own, indented so
// that it opens no code block: a line end in a code span reads as a space, and a space at both
// of its ends is taken off.
std::string codeSpanOverTwoLines(std::string_view code) {
    const std::string span = codeSpan(code, 3, false);
    const std::string_view run(span.data(), span.find_first_not_of('`'));
    const bool allSpaces = code.find_first_not_of(' ') == std::string_view::npos;
    if (allSpaces || (code.back() == ' ' && code.front() != ' '))
        return std::string(run)
            .append(code.substr(0, code.size() - 1))
            .append("\n    ")
            .append(run);
    return std::string(run).append(" ").append(code).append("\n    ").append(run);
}

std::string_view withoutFinalLineEnds(std::string_view text) {
    while (text.ends_with('\n'))
        text.remove_suffix(1);
    return text;
}

bool isDirectiveOrCommand(RawMarkupKind kind) {
    return kind == RawMarkupKind::blockDirective || kind == RawMarkupKind::doxygenDiscussion ||
           kind == RawMarkupKind::doxygenNote || kind == RawMarkupKind::doxygenAbstract ||
           kind == RawMarkupKind::doxygenParam || kind == RawMarkupKind::doxygenReturns;
}

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

// Whether the run may open a printed line: at the text's start (after a line end or another
// element) or, where the text is wrapped, after a space where a line may end: one that
// whitespace or a backslash (a hard break) stands before cannot.
bool mayOpenLine(std::string_view text, std::string_view run, bool wrapped) {
    if (!wrapped)
        return text.starts_with(run);
    for (std::size_t at = text.find(run); at != std::string_view::npos; at = text.find(run, at + 1))
        if (at == 0 ||
            (text[at - 1] == ' ' &&
             (at == 1 || std::string_view(" \t\\").find(text[at - 2]) == std::string_view::npos)))
            return true;
    return false;
}

// Whether the block's printed lines never flip the road's toggle: a thematic break, a table, a
// quote, or text (in lists too) without code spans and without a run of three backticks or tildes
// that may open a line.
bool cannotFlipToggle(const RawMarkup& block, bool wrapped) {
    // Kept from call to call: the look-ahead asks for every block it passes.
    thread_local std::vector<const RawMarkup*> pending;
    pending.assign(1, &block);
    while (!pending.empty()) {
        const RawMarkup& node = *pending.back();
        pending.pop_back();
        switch (node.kind()) {
        case RawMarkupKind::thematicBreak:
        case RawMarkupKind::table:
        case RawMarkupKind::blockQuote: // every line opens with its marker
            continue;
        case RawMarkupKind::inlineCode:
        case RawMarkupKind::symbolLink:
        case RawMarkupKind::codeBlock:
        case RawMarkupKind::htmlBlock:
            return false;
        default:
            break;
        }
        if (isDirectiveOrCommand(node.kind()))
            return false;
        if (const auto* text = node.data().getIf<RawMarkupKind::text>();
            text && (mayOpenLine(text->string, "```", wrapped) ||
                     mayOpenLine(text->string, "~~~", wrapped)))
            return false;
        for (std::int64_t i = 0; i < node.childCount(); ++i)
            pending.push_back(node.child(i).get());
    }
    return true;
}

// Whether a line of the code might be read as directive syntax where the toggle is off.
bool anyLineReadsAsSyntax(std::string_view code, bool inDirective) {
    for (std::size_t start = 0; start < code.size();) {
        const std::size_t end = std::min(code.find('\n', start), code.size());
        if (mayReadAsDirectiveSyntax(code.substr(start, end - start), inDirective))
            return true;
        start = end + 1;
    }
    return false;
}

bool isList(RawMarkupKind kind) {
    return kind == RawMarkupKind::orderedList || kind == RawMarkupKind::unorderedList;
}

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

// Whether the block's last line is text that a line after it may continue or join: a
// paragraph's, also at the end of a list or quote (a lazy line), or a table row's or an HTML
// block's that ends only at a blank line, right before it.
bool endsInText(const RawMarkup& block, bool right = true) {
    switch (block.kind()) {
    case RawMarkupKind::paragraph:
        return true;
    case RawMarkupKind::table:
        return right;
    case RawMarkupKind::htmlBlock:
        return right &&
               !htmlBlockEndsWithText(block.data().getIf<RawMarkupKind::htmlBlock>()->html);
    case RawMarkupKind::blockQuote:
    case RawMarkupKind::listItem:
    case RawMarkupKind::orderedList:
    case RawMarkupKind::unorderedList:
        return block.childCount() == 0 || endsInText(*block.child(block.childCount() - 1), false);
    case RawMarkupKind::heading:
    case RawMarkupKind::thematicBreak:
    case RawMarkupKind::codeBlock:
        return false;
    default:
        return true;
    }
}

// Whether a list's first item can start a line right after text: not empty, and numbered 1.
bool listInterruptsText(const RawMarkup& list) {
    if (list.childCount() == 0 || list.child(0)->childCount() == 0)
        return false;
    const auto* ordered = list.data().getIf<RawMarkupKind::orderedList>();
    return !ordered || ordered->startIndex == 1;
}

// Whether `next` may start on the line right after `previous` in a list item, without a blank
// line, and both still read as they are.
bool mayFollowTightly(const RawMarkup& previous, const RawMarkup& next) {
    // An HTML block may run to the next blank line; quotes one after the other would be one.
    const auto* html = previous.data().getIf<RawMarkupKind::htmlBlock>();
    if ((html && !htmlBlockEndsWithText(html->html)) ||
        (previous.kind() == RawMarkupKind::blockQuote && next.kind() == RawMarkupKind::blockQuote))
        return false;
    const bool afterText = endsInText(previous);
    switch (next.kind()) {
    case RawMarkupKind::heading:
        // An underlined heading spans lines, which text before it would join.
        return std::none_of(next.children().begin(), next.children().end(), [](const auto& c) {
            return c->kind() == RawMarkupKind::softBreak || c->kind() == RawMarkupKind::lineBreak;
        });
    case RawMarkupKind::thematicBreak:
    case RawMarkupKind::codeBlock:
    case RawMarkupKind::blockQuote:
        return true;
    case RawMarkupKind::orderedList:
    case RawMarkupKind::unorderedList:
        // Only a paragraph right before it limits the lists that may start; at the end of a
        // list or quote, its lazy lines give way to any list.
        return previous.kind() != RawMarkupKind::paragraph || listInterruptsText(next);
    case RawMarkupKind::table:
        // The table's header row ends the paragraph before it.
        return previous.kind() == RawMarkupKind::paragraph || !afterText;
    case RawMarkupKind::htmlBlock: {
        const auto* opening = next.data().getIf<RawMarkupKind::htmlBlock>();
        return !afterText || (opening && htmlBlockKind(opening->html) < 7);
    }
    case RawMarkupKind::paragraph:
        return !afterText;
    default:
        return false;
    }
}

// Whether a note's reader takes the paragraph's first line for a footnote definition
// ("[^label]:" at a line's start), which the indented lines after it continue.
bool opensFootnoteDefinition(std::string_view text) {
    if (!text.starts_with("[^"))
        return false;
    const std::size_t end = text.find_first_of("] \t\n", 2);
    return end != std::string_view::npos && end > 2 && text[end] == ']' &&
           text.substr(end + 1).starts_with(':');
}

} // namespace

void MarkupFormatter::defaultVisit(const Markup& markup) {
    std::string_view typeName = dispatchOnKind(markup, [](const auto& element) {
        return std::remove_cvref_t<decltype(element)>::typeName;
    });
    fatal("Formatter not implemented for " + std::string(typeName));
}

void MarkupFormatter::visitDocument(const Document& document) {
    printBlocks(document);
}

void MarkupFormatter::printBlocks(const Markup& container) {
    std::optional<RawMarkupKind> previous;
    const MarkupChildren children = container.children();
    const MarkupChildren::Iterator end = children.end();
    enclosingBlocks.push_back(
        {blockPrinted, blocksParent, container.indexInParent(), std::move(roadEntries)});
    blocksParent = container.raw().markup.get();
    findRoadEntries(container);
    // The blocks of a tight list's item follow each other line by line where they can.
    const bool tightItem = container.kind() == RawMarkupKind::listItem && listTight;
    const RawMarkup* previousBlock = nullptr;
    for (auto child = children.begin(); child != end; ++child) {
        const Markup block = *child;
        const RawMarkup& raw = *block.raw().markup;
        itemJoin = tightItem && previousBlock && mayFollowTightly(*previousBlock, raw);
        previousBlock = &raw;
        listMarkerToAvoid.reset();
        if (previous == block.kind() && isList(block.kind()))
            listMarkerToAvoid = lastListMarker;
        previous = block.kind();
        blockPrinted.emplace(child, end);
        visit(block);
    }
    blockPrinted = enclosingBlocks.back().at;
    blocksParent = enclosingBlocks.back().parent;
    roadEntries = std::move(enclosingBlocks.back().roadEntries);
    enclosingBlocks.pop_back();
}

void MarkupFormatter::visitBlockQuote(const BlockQuote& blockQuote) {
    startContainer();
    prefixes.push("> ", "> ");
    if (blockQuote.isEmpty())
        printBareLine();
    printBlocks(blockQuote);
    prefixes.pop();
    blockPlaced = false;
}

MarkupFormatter::CodeFences MarkupFormatter::codeFences(const CodeBlock& codeBlock) {
    const std::string language = codeBlock.language().value_or("");
    const char fenceCharacter = language.find('`') == std::string::npos ? '`' : '~';
    std::string_view code = codeBlock.code();
    if (code.ends_with('\n'))
        code.remove_suffix(1);
    std::string fence(std::max<std::size_t>(3, longestRun(code, fenceCharacter) + 1),
                      fenceCharacter);
    // A fence character opening the info string would lengthen the fence.
    std::string opening =
        fence + (language.starts_with(fenceCharacter) ? "\\" : "") + infoString(language);
    return {code, std::move(opening), std::move(fence)};
}

std::uint8_t MarkupFormatter::wantedAfter(const std::vector<std::uint8_t>& entries,
                                          const std::optional<BlockPlace>& at) {
    if (entries.empty() || !at)
        return eitherState;
    return entries[static_cast<std::size_t>(at->first.metadata().indexInParent) + 1];
}

std::uint8_t MarkupFormatter::roadWantedAfter() const {
    return wantedAfter(roadEntries, blockPrinted);
}

bool MarkupFormatter::roadReaches(const Markup& block, bool inCode, std::uint8_t wanted,
                                  const std::string& first, bool afterCode, bool opensText) const {
    const auto fits = [&](const RoadReading& reading) {
        return reading.codeKept && (wanted & stateBit(reading.endsInCode)) != 0;
    };
    if (const std::optional<CodeBlock> codeBlock = block.as<CodeBlock>()) {
        const CodeFences fences = codeFences(*codeBlock);
        const std::vector<CodeCandidate> layouts =
            codeCandidates(*codeBlock, fences.code, fences.opening, fences.fence, inCode, first,
                           afterCode, opensText, fits);
        return std::any_of(layouts.begin(), layouts.end(),
                           [&](const CodeCandidate& candidate) { return fits(candidate.reading); });
    }
    const auto* html = block.raw().markup->data().getIf<RawMarkupKind::htmlBlock>();
    return html && fits(RoadReading::of(inCode, directiveDepth > 0, "", prefixes.restPrefix(),
                                        withoutFinalLineEnds(html->html), std::nullopt));
}

std::int64_t MarkupFormatter::itemsCarryingToggleFrom(const RawMarkup& list) {
    const auto [known, added] = toggleCarriedFrom.try_emplace(&list, list.childCount());
    if (added)
        while (known->second > 0 && cannotFlipToggle(*list.child(known->second - 1),
                                                     options.preferredLineLimit.has_value()))
            --known->second;
    return known->second;
}

void MarkupFormatter::findRoadEntries(const Markup& container) {
    roadEntries.clear();
    if (inDoxygen)
        return;
    const RawMarkup& node = *container.raw().markup;
    const std::int64_t count = node.childCount();
    // What the lines after the last block need: a directive's closing brace reads only where the
    // toggle is off, and past a list's last item come the lines after the list.
    std::uint8_t end = eitherState;
    if (node.kind() == RawMarkupKind::blockDirective && !directiveEndsTree) {
        end = offState;
    } else if (node.kind() == RawMarkupKind::listItem && !enclosingBlocks.empty()) {
        // The items after this one carry the toggle through where none of them can flip it.
        const Enclosing& outer = enclosingBlocks.back();
        const MarkupData* list = container.data().parent();
        const std::uint8_t after = wantedAfter(outer.roadEntries, outer.at);
        if (list && after != eitherState &&
            container.indexInParent() >= itemsCarryingToggleFrom(*list->raw.markup) - 1)
            end = after;
    }
    bool matters = end != eitherState;
    for (std::int64_t i = 0; i < count && !matters; ++i) {
        const RawMarkupKind kind = node.child(i)->kind();
        matters = kind == RawMarkupKind::codeBlock || kind == RawMarkupKind::htmlBlock ||
                  isDirectiveOrCommand(kind);
    }
    if (!matters)
        return;
    std::vector<std::uint8_t> entries(static_cast<std::size_t>(count), eitherState);
    entries.push_back(end);
    const bool inDirective = directiveDepth > 0;
    const std::string firstPrefix = prefixes.nextLinePrefix();
    const std::string restPrefix = prefixes.restPrefix();
    const bool wrapped = options.preferredLineLimit.has_value();
    // The code and HTML blocks as elements, which the layouts read, made once one is needed;
    // the others are read as raw nodes.
    std::vector<std::optional<Markup>> elements;
    const auto elementAt = [&](std::int64_t index) {
        if (elements.empty()) {
            elements.resize(static_cast<std::size_t>(count));
            const MarkupChildren children = container.children();
            for (auto child = children.begin(); child != children.end(); ++child)
                if (const RawMarkupKind kind = node.child(child.metadata().indexInParent)->kind();
                    kind == RawMarkupKind::codeBlock || kind == RawMarkupKind::htmlBlock)
                    elements[static_cast<std::size_t>(child.metadata().indexInParent)] = *child;
        }
        return *elements[static_cast<std::size_t>(index)];
    };
    for (std::int64_t index = count; index-- > 0;) {
        const RawMarkup& block = *node.child(index);
        const auto at = static_cast<std::size_t>(index);
        const std::uint8_t wanted = entries[at + 1];
        const auto leaving = [&](std::uint8_t from) { return (wanted & from) != 0 ? from : 0; };
        std::uint8_t states = eitherState;
        const RawMarkupKind kind = block.kind();
        if (kind == RawMarkupKind::codeBlock || kind == RawMarkupKind::htmlBlock) {
            // Code that no line could be syntax in reads back from either state, as every
            // state will do after it.
            if (const auto* code = block.data().getIf<RawMarkupKind::codeBlock>();
                code && wanted == eitherState && !anyLineReadsAsSyntax(code->code, inDirective))
                continue;
            const Markup sibling = elementAt(index);
            const RawMarkupKind before =
                index > 0 ? node.child(index - 1)->kind() : RawMarkupKind::document;
            // Only the first block may take the first line's prefix, and open the text read as
            // one (as may a block after a directive).
            const std::string& first = index == 0 ? firstPrefix : restPrefix;
            const bool opensText = index == 0 ? runStart && current.newlineStreak < 2
                                              : before == RawMarkupKind::blockDirective;
            const bool afterCode = before == RawMarkupKind::codeBlock;
            const auto reachable = [&](std::uint8_t to) {
                std::uint8_t from = 0;
                for (const bool inCode : {false, true})
                    if (roadReaches(sibling, inCode, to, first, afterCode, opensText))
                        from |= stateBit(inCode);
                return from;
            };
            // Where no state reads on, the block itself at least reads back.
            states = reachable(wanted);
            if (states == 0)
                states = reachable(eitherState);
        } else if (isDirectiveOrCommand(kind)) {
            // Its line is read as one only where the toggle is off; a new run of text follows.
            states = leaving(offState);
        } else if (const auto* heading = block.data().getIf<RawMarkupKind::heading>();
                   wanted != eitherState &&
                   ((heading && heading->level > 2) || cannotFlipToggle(block, wrapped))) {
            // Only an underlined heading spans lines.
            states = wanted;
        }
        // Else text may flip it either way, and a list's blocks leave it as the lines after it
        // need.
        entries[at] = states == 0 ? eitherState : states;
    }
    roadEntries = std::move(entries);
}

void MarkupFormatter::visitCodeBlock(const CodeBlock& codeBlock) {
    startBlock();
    const auto [code, opening, fence] = codeFences(codeBlock);
    const std::string body = codeBlock.code().empty() ? "" : "\n" + std::string(code);
    const CodeLayout layout = codeLayout(codeBlock, code, opening, fence);
    switch (layout) {
    case CodeLayout::fenced:
        print(opening + body + "\n" + fence);
        return;
    case CodeLayout::fencedBelowMarker:
        printBareLine();
        queueNewlines(1);
        print(opening + body + "\n" + fence);
        return;
    case CodeLayout::fencedAfterMark:
        // A blank line before it would open the text.
        current.queuedNewlines = std::min<std::int64_t>(current.queuedNewlines, 1);
        print(std::string(byteOrderMark) + opening + body + "\n" + fence);
        return;
    case CodeLayout::indented:
        indentedCodeBlock = codeBlock.raw().markup.get();
        print(indentedCode(code));
        return;
    case CodeLayout::fencedIndented: {
        const std::string indent(fenceIndent, ' ');
        print(indent + opening +
              (codeBlock.code().empty() ? "" : "\n" + indentedCode(code, indent)) + "\n" + indent +
              fence);
        return;
    }
    case CodeLayout::unclosedBelowMarker:
        printBareLine();
        queueNewlines(1);
        [[fallthrough]];
    case CodeLayout::unclosed:
    case CodeLayout::unclosedIndented:
        // Every line up to the next block is code, blank ones at the end too.
        if (layout != CodeLayout::unclosedIndented)
            print(opening + (codeBlock.code().empty() ? "" : "\n" + codeBlock.code()));
        else
            print(std::string(fenceIndent, ' ') + opening +
                  (codeBlock.code().empty()
                       ? ""
                       : "\n" + indentedCode(codeBlock.code(), std::string(fenceIndent, ' '))));
        // A blank line after it would be code.
        tightStart = true;
        // The text's last line is one only with a line end after it: a blank one needs another.
        if (codeBlock.code() == "\n" || codeBlock.code().ends_with("\n\n"))
            queueNewlines(1);
        return;
    }
}

std::vector<MarkupFormatter::CodeCandidate>
MarkupFormatter::codeCandidates(const CodeBlock& codeBlock, std::string_view code,
                                const std::string& opening, const std::string& fence, bool inCode,
                                const std::string& first, bool afterIndented, bool opensText,
                                const std::function<bool(const RoadReading&)>& done) const {
    const std::string rest = prefixes.restPrefix();
    const bool inDirective = directiveDepth > 0;
    // A line indented as code past the indentation the road takes off is code to it.
    const std::optional<std::int64_t> indentedIsCode =
        inDirective ? directiveCodeColumns : std::optional<std::int64_t>(4);
    std::vector<CodeCandidate> layouts;
    // Each is read only while none before it will do.
    bool finished = false;
    const auto add = [&](CodeLayout layout, auto read, std::size_t indent = 0) {
        if (finished)
            return;
        // A Doxygen command's lines flip no toggle; only code lines that look like directives
        // matter.
        const RoadReading reading = inDoxygen ? RoadReading::withoutToggle(rest, code) : read();
        layouts.push_back({layout, reading, indent});
        finished = done(reading);
    };
    const auto fencedAfter = [&](const std::string& opened, const std::string& indent,
                                 bool closed) {
        return [&, opened, indent, closed] {
            const std::string closing = indent + fence;
            return RoadReading::of(inCode, inDirective, opened + opening, indent, code,
                                   closed ? std::optional<std::string_view>(closing) : std::nullopt,
                                   indentedIsCode);
        };
    };
    const auto isBlank = [](std::string_view line) {
        return line.find_first_not_of(" \t") == std::string_view::npos;
    };
    const std::size_t firstEnd = std::min(code.find('\n'), code.size());
    const std::size_t lastBreak = code.rfind('\n');
    const std::size_t lastStart = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    const MarkupData* parent = codeBlock.data().parent();
    const std::int64_t index = codeBlock.indexInParent();
    const RawMarkupKind parentKind = parent ? parent->raw.markup->kind() : RawMarkupKind::document;
    // A document stands for no block before it: it is never one.
    const RawMarkup* previous =
        parent && index > 0 ? parent->raw.markup->child(index - 1).get() : nullptr;
    const bool afterList = previous && isList(previous->kind());
    // An indented block has no language and no blank first or last line; it cannot continue a
    // paragraph, join a list or indented code before it, start a list item or set a
    // directive's indentation (unless the brace's line has).
    const bool indentable =
        !codeBlock.language() && !code.empty() && !isBlank(code.substr(0, firstEnd)) &&
        !isBlank(code.substr(lastStart)) && !tightBlocks && !joinedTightly && !afterList &&
        !afterIndented && first == rest &&
        !(parentKind == RawMarkupKind::blockDirective && index == 0 && !braceAlone);
    const auto addIndented = [&] {
        add(CodeLayout::indented, [&] {
            // Every line is code by its indentation; only the toggle is left to keep off.
            RoadReading reading =
                RoadReading::of(inCode, inDirective, "", rest, indentedCode(code), std::nullopt);
            reading.codeKept = true;
            return reading;
        });
    };
    // A note's footnote definition takes in indented code after it.
    const bool indentedFirst =
        indentable && parentKind == RawMarkupKind::document && previous &&
        previous->kind() == RawMarkupKind::paragraph && previous->childCount() > 0 && [&] {
            const auto* text = previous->child(0)->data().getIf<RawMarkupKind::text>();
            return text && opensFootnoteDefinition(text->string);
        }();
    if (indentedFirst)
        addIndented();
    add(CodeLayout::fenced, fencedAfter(first, rest, true));
    if (indentable && !indentedFirst)
        addIndented();
    if (first != rest && first.find('>') == std::string::npos)
        add(CodeLayout::fencedBelowMarker, fencedAfter(rest, rest, true));
    // Where the lines the road passes to CommonMark end with the code, no closing fence is needed;
    // the road takes a directive's indentation off its content's lines.
    const bool lastOfItsLines = [&] {
        if (parentKind != RawMarkupKind::document && parentKind != RawMarkupKind::blockDirective)
            return false;
        if (index + 1 == parent->raw.markup->childCount())
            return true;
        return isDirectiveOrCommand(parent->raw.markup->child(index + 1)->kind());
    }();
    if (lastOfItsLines)
        add(CodeLayout::unclosed, fencedAfter(first, rest, false));
    // Code that ends a list ends with the list's lines where a line that the list cannot take
    // comes next, and code that ends an item with the item, so that it may stay unclosed too; a
    // blank line after it would be code.
    const bool endsItsList = [&] {
        const auto isLast = [](const MarkupData& node) {
            return node.raw.metadata.indexInParent + 1 == node.parent()->raw.markup->childCount();
        };
        const MarkupData* node = &codeBlock.data();
        const bool trailingBlank = codeBlock.code() == "\n" || codeBlock.code().ends_with("\n\n");
        if (trailingBlank || parentKind != RawMarkupKind::listItem || !isLast(*node))
            return false;
        for (node = node->parent(); node->parent(); node = node->parent()) {
            const RawMarkupKind kind = node->raw.markup->kind();
            const RawMarkupKind above = node->parent()->raw.markup->kind();
            if (kind != RawMarkupKind::listItem && !isList(kind))
                return false;
            if (isList(kind) &&
                (above == RawMarkupKind::document || above == RawMarkupKind::blockDirective))
                return isLast(*node) ||
                       !isList(node->parent()
                                   ->raw.markup->child(node->raw.metadata.indexInParent + 1)
                                   ->kind());
            // The next item's marker, on the next line, ends the item and its code.
            if (!isLast(*node))
                return kind == RawMarkupKind::listItem;
        }
        return false;
    }();
    if (endsItsList && !inDoxygen)
        add(first == rest ? CodeLayout::unclosed : CodeLayout::unclosedBelowMarker,
            fencedAfter(rest, rest, false));
    // A fence indented by up to three spaces lets every code line take as many more, which may
    // make a line that looks like a directive code by its indentation. It must not set a
    // directive's indentation, nor reach the content of the last item of a list before it.
    std::size_t mostSpaces = 3;
    if (afterList && previous->childCount() > 0) {
        std::size_t marker = 2;
        if (const auto* ordered = previous->data().getIf<RawMarkupKind::orderedList>())
            marker = std::to_string(ordered->startIndex +
                                    static_cast<std::uint64_t>(previous->childCount() - 1))
                         .size() +
                     2;
        mostSpaces = std::min(mostSpaces, marker - 1);
    }
    if (first == rest && !inDoxygen &&
        !(parentKind == RawMarkupKind::blockDirective && index == 0 && !braceAlone)) {
        for (std::size_t spaces = 1; spaces <= mostSpaces; ++spaces) {
            const std::string indentedRest = rest + std::string(spaces, ' ');
            add(CodeLayout::fencedIndented, fencedAfter(indentedRest, indentedRest, true), spaces);
            if (lastOfItsLines)
                add(CodeLayout::unclosedIndented, fencedAfter(indentedRest, indentedRest, false),
                    spaces);
        }
    }
    // The parser drops a byte order mark that opens the lines it reads as one, and the road
    // does not look past it for a fence.
    if (opensText && first.empty() && !inDoxygen)
        add(CodeLayout::fencedAfterMark, fencedAfter(std::string(byteOrderMark), rest, true));
    return layouts;
}

MarkupFormatter::CodeLayout MarkupFormatter::codeLayout(const CodeBlock& codeBlock,
                                                        std::string_view code,
                                                        const std::string& opening,
                                                        const std::string& fence) {
    // The block-directive road must find the code where CommonMark does and leave its fence
    // toggle as the blocks after it need: the usual fences where they do, else a layout that
    // does.
    const std::uint8_t wanted = roadWantedAfter();
    const auto fits = [&](const RoadReading& reading, int pass) {
        const bool on = reading.endsInCode;
        return reading.codeKept && (pass == 0   ? !on && (wanted & offState)
                                    : pass == 1 ? on && (wanted & onState)
                                    : pass == 2 ? !on
                                                : on);
    };
    const MarkupData* parent = codeBlock.data().parent();
    const std::int64_t index = codeBlock.indexInParent();
    // Indented code right after indented code would join it.
    const bool afterIndented =
        parent && index > 0 && parent->raw.markup->child(index - 1).get() == indentedCodeBlock;
    const std::vector<CodeCandidate> layouts =
        codeCandidates(codeBlock, code, opening, fence, roadInCode, prefixes.nextLinePrefix(),
                       afterIndented, runStart && current.newlineStreak < 2,
                       [&](const RoadReading& reading) { return fits(reading, 0); });
    // Off where the blocks after it read so, else on where they do; a byte order mark only
    // then; then off, and last on, for the text after it to turn off where it can.
    for (const auto& [pass, withMark] :
         {std::pair(0, false), std::pair(1, false), std::pair(0, true), std::pair(1, true),
          std::pair(2, false), std::pair(3, false)})
        for (const CodeCandidate& candidate : layouts)
            if ((candidate.layout == CodeLayout::fencedAfterMark) == withMark &&
                fits(candidate.reading, pass)) {
                roadInCode = candidate.reading.endsInCode && !inDoxygen;
                fenceIndent = candidate.fenceIndent;
                return candidate.layout;
            }
    roadInCode = layouts.front().reading.endsInCode && !inDoxygen;
    return CodeLayout::fenced;
}

void MarkupFormatter::visitHeading(const Heading& heading) {
    startBlock();
    InlineText content = gatherInlines(heading);
    const std::int64_t level = std::clamp<std::int64_t>(heading.level(), 1, 6);
    // An underlined heading's line may flip the road's toggle, where the blocks after it cannot
    // read from the toggle as it is. Wrapped, where line ends read as spaces, a line may end
    // before any run of three backticks to open the next with it.
    const bool wrapped = options.preferredLineLimit.has_value();
    const auto holdsRun = [&](const InlineText& inlines) {
        const std::string& text = inlines.text();
        constexpr std::string_view escapedRun = "\\`\\`\\`";
        // A code span's run of three may open a line too, a line end in it read as a space.
        return text.find("```") != std::string::npos ||
               (wrapped ? text.find(escapedRun) != std::string::npos
                        : text.starts_with(escapedRun));
    };
    const auto flipWanted = [&] {
        const std::uint8_t wanted = roadWantedAfter();
        return !inDoxygen && (wanted & stateBit(roadInCode)) == 0 &&
               (wanted & stateBit(!roadInCode)) != 0;
    };
    bool flips = level <= 2 && flipWanted();
    if (flips && !holdsRun(content)) {
        // Else a code span printed with a run of three may give the line one.
        flips = false;
        for (std::size_t span = 0; !flips && span < 4; ++span) {
            splitCodeSpan = span;
            InlineText split = gatherInlines(heading);
            splitCodeSpan.reset();
            if (codeSpansGathered <= span)
                break;
            if ((flips = holdsRun(split)))
                std::swap(content, split);
            recycle(std::move(split));
        }
    }
    if (level <= 2 && (content.text().find('\n') != std::string::npos || flips)) {
        // Only an underlined heading spans lines; text right before it would join them.
        if (joinOptional)
            current.queuedNewlines =
                std::max(current.queuedNewlines, std::int64_t(2) - current.newlineStreak);
        printInlines(std::move(content), true, wrapped && flips, flips ? &heading : nullptr);
        print(std::string("\n") + (level == 1 ? "===" : "---"));
        return;
    }
    std::string text = content.laidOut({.linesStartBlocks = false,
                                        .wrapping = std::nullopt,
                                        .lineEndsCloseDirectives = directiveDepth > 0});
    recycle(std::move(content));
    // A closing run of number signs would be taken off the heading.
    if (text.ends_with('#'))
        text.insert(text.size() - 1, "\\");
    print(std::string(static_cast<std::size_t>(level), '#') + (text.empty() ? "" : " ") + text);
}

void MarkupFormatter::visitThematicBreak(const ThematicBreak&) {
    startBlock();
    // After a "-" bullet, "---" would make the whole line a thematic break; right under a
    // paragraph, as in a Doxygen command, it would underline it; opening the text, a note's
    // reader would take it for the start of front matter.
    const bool dashes = !prefixes.pendingFirst().starts_with('-') && !tightBlocks &&
                        !joinedTightly && !printed.empty();
    print(dashes ? "---" : "***");
}

void MarkupFormatter::visitHTMLBlock(const HTMLBlock& htmlBlock) {
    startBlock();
    const std::string_view html = withoutFinalLineEnds(htmlBlock.rawHTML());
    // A directive takes a brace that ends its content's first line for its own closing brace,
    // a blank line before it for nothing.
    const std::string_view firstLine = html.substr(0, html.find('\n'));
    if (directiveDepth > 0 && runStart &&
        firstLine.substr(0, firstLine.find_last_not_of(" \t") + 1).ends_with('}'))
        current.queuedNewlines = std::max<std::int64_t>(current.queuedNewlines, 2);
    // Its lines may look like fences to the block-directive road.
    if (!inDoxygen)
        roadInCode = RoadReading::of(roadInCode, directiveDepth > 0, "", prefixes.restPrefix(),
                                     html, std::nullopt)
                         .endsInCode;
    print(html);
}

void MarkupFormatter::visitListItem(const ListItem& listItem) {
    std::string marker = "- ";
    auto parent = listItem.parent();
    if (parent && parent->kind() == RawMarkupKind::orderedList) {
        const std::uint64_t number = parent->as<OrderedList>()->startIndex() +
                                     static_cast<std::uint64_t>(listItem.indexInParent());
        marker = std::to_string(number) + (lastListMarker == ')' ? ')' : '.') + " ";
    } else if (parent && parent->kind() == RawMarkupKind::unorderedList) {
        marker = lastListMarker == '*' ? "* " : "- ";
    }
    const std::string rest(marker.size(), ' ');
    if (listItem.checkbox())
        marker += *listItem.checkbox() == Checkbox::checked ? "[x] " : "[ ] ";
    // A tight list's items follow each other line by line, a loose one's after a blank line
    // (unless the item before ended with a code block that a blank line would continue).
    tightStart = listItem.indexInParent() > 0 && (tightStart || listTight);
    startContainer();
    prefixes.push(std::move(marker), rest);
    if (listItem.isEmpty()) {
        printBareLine();
        // Only the space after it makes the box a task's.
        if (listItem.checkbox())
            write(" ");
    }
    printBlocks(listItem);
    prefixes.pop();
    blockPlaced = false;
}

void MarkupFormatter::visitOrderedList(const OrderedList& orderedList) {
    printList(orderedList, listMarkerToAvoid == '.' ? ')' : '.');
}

void MarkupFormatter::visitUnorderedList(const UnorderedList& unorderedList) {
    // On an item's first line, bullets alone, as in "- - -", would make a thematic break. Code
    // may start on the line below them.
    const auto onlyBullets = [](const Markup& list) {
        for (std::optional<Markup> item = list.childAt(0); item; item = item->childAt(0)) {
            const std::optional<Markup> first = item->childAt(0);
            if (!first || first->kind() == RawMarkupKind::codeBlock)
                return true;
            if (!isList(first->kind()))
                return false;
            item = first;
        }
        return false;
    };
    const bool dashesAlone = prefixes.pendingFirst().starts_with('-') && onlyBullets(unorderedList);
    printList(unorderedList, listMarkerToAvoid == '-' || dashesAlone ? '*' : '-');
}

void MarkupFormatter::printList(const Markup& list, char marker) {
    startContainer();
    const bool wasTight = std::exchange(listTight, isTightList(*list.raw().markup));
    for (const Markup& item : list.children()) {
        lastListMarker = marker;
        visit(item);
    }
    lastListMarker = marker;
    listTight = wasTight;
    blockPlaced = false;
}

void MarkupFormatter::visitParagraph(const Paragraph& paragraph) {
    startBlock();
    InlineText text = gatherInlines(paragraph);
    // In a note, the lines after a footnote definition's first line belong to it where they are
    // indented, as they most often are in the source: the parser cannot tell.
    const auto parent = paragraph.parent();
    const bool definition = parent && parent->kind() == RawMarkupKind::document &&
                            opensFootnoteDefinition(text.text()) && [&] {
                                // A line that opens another definition starts that one.
                                const std::string_view lines = text.text();
                                for (std::size_t end = lines.find('\n');
                                     end != std::string_view::npos; end = lines.find('\n', end + 1))
                                    if (opensFootnoteDefinition(lines.substr(end + 1)))
                                        return false;
                                return true;
                            }();
    if (definition)
        prefixes.push("", "    ");
    definitionLines = definition;
    printInlines(std::move(text), true, true, &paragraph);
    definitionLines = false;
    if (definition)
        prefixes.pop();
}

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
    const bool inDirective = directiveDepth > 0;
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
    roadInCode = false;
    if (blockDirective.isEmpty()) {
        print(opening + (braceAgainstName ? "{}" : ""));
        runStart = true;
        return;
    }
    // Where code opens the content, a brace on a line of its own sets the content's indentation,
    // so that the code may be indented.
    const auto first = blockDirective.raw().markup->child(0);
    braceAlone = !braceAgainstName && first->kind() == RawMarkupKind::codeBlock;
    print(opening + (braceAgainstName ? "{" : braceAlone ? "\n{" : " {"));
    runStart = true;
    roadInCode = false;
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
        std::exchange(directiveCodeColumns,
                      indentationSet || braceAlone || first->kind() != RawMarkupKind::htmlBlock
                          ? std::optional(prefixes.restWidth() + 4)
                          : std::nullopt);
    const bool wasTight = std::exchange(tightBlocks, false);
    const MarkupData root = blockDirective.data().root();
    const bool wasEndingTree = std::exchange(
        directiveEndsTree, blockDirective.data().raw.metadata.id.childId +
                                   blockDirective.raw().markup->subtreeCount() ==
                               root.raw.metadata.id.childId + root.raw.markup->subtreeCount());
    tightStart = true;
    ++directiveDepth;
    printBlocks(blockDirective);
    --directiveDepth;
    directiveCodeColumns = wasCodeColumns;
    prefixes.pop();
    // Where the fence toggle is left on, the road would take a closing brace for code; a
    // directive that ends the text needs none.
    if (!roadInCode || !directiveEndsTree) {
        tightStart = true;
        startBlock();
        print("}");
        runStart = true;
        roadInCode = false;
    }
    directiveEndsTree = wasEndingTree;
    tightBlocks = wasTight;
}

void MarkupFormatter::printDoxygen(const std::string& opening, const Markup& command) {
    startBlock();
    roadInCode = false;
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
    const bool wasTight = std::exchange(tightBlocks, true);
    inDoxygen = true;
    printBlocks(command);
    inDoxygen = false;
    tightBlocks = wasTight;
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

void MarkupFormatter::visitInlineCode(const InlineCode& inlineCode) {
    const bool opened = openInlines();
    if (splitCodeSpan == codeSpansGathered++ && !inCell && linkDepth == 0 &&
        !inlineCode.code().empty()) {
        inlines->appendMarkup(spanOverTwoLines ? codeSpanOverTwoLines(inlineCode.code())
                                               : codeSpan(inlineCode.code(), 3, false));
        closeInlines(opened);
        return;
    }
    std::string span = codeSpan(inlineCode.code(), 1, inCell);
    // A run of three backticks opening a paragraph's line flips the directive road's fence
    // toggle; where a space ends the code, a line end there puts the closing run at the next
    // line's start to flip it back, indented so that it opens no code block.
    const std::size_t run = span.find_first_not_of('`');
    const MarkupData* parent = inlineCode.data().parent();
    if (run >= 3 && span[span.size() - run - 1] == ' ' && !inCell && parent &&
        parent->raw.markup->kind() == RawMarkupKind::paragraph &&
        (inlines->empty() || inlines->text().ends_with('\n')))
        span.replace(span.size() - run - 1, 1, "\n    ");
    inlines->appendMarkup(span);
    closeInlines(opened);
}

void MarkupFormatter::visitSymbolLink(const SymbolLink& symbolLink) {
    const bool opened = openInlines();
    inlines->appendMarkup(codeSpan(symbolLink.destination().value_or(""), 2, inCell));
    closeInlines(opened);
}

void MarkupFormatter::printDelimited(const Markup& markup, std::size_t runLength) {
    const bool opened = openInlines();
    const std::string& text = inlines->text();
    // Inside a word only asterisks open; there a strong run may join the run before it, which
    // the parser splits from the inside out.
    const bool atParentStart = !openDelimiters.empty() && markup.indexInParent() == 0;
    // The parser looks through tildes for the character that flanks a run.
    const std::size_t wordEnd = text.find_last_not_of(atParentStart ? "*_~" : "~");
    const bool wordBefore = wordEnd < text.size() && flanksAsWord(text[wordEnd]);
    // A tilde after the closer may be printed bare, when the parser looks through it.
    const char after = followingCharacter(markup).value_or(' ');
    const bool wordAfter = after == '~' || flanksAsWord(after);
    auto fits = [&](char c) {
        // A run next to another of the same character would merge with it; an escaped one
        // is text.
        if (!text.empty() && text.back() == c && !isEscapedAt(text, text.size() - 1))
            return false;
        return c == '*' || !(wordBefore || wordAfter);
    };
    // Inside emphasis the other character keeps the inner runs apart from the outer ones, unless
    // an outer run has a word on its other side: punctuation between them would keep it from
    // opening or closing, so the runs join as one.
    const bool atParentEnd =
        !openDelimiters.empty() &&
        markup.indexInParent() + 1 == markup.data().parent()->raw.markup->childCount();
    const bool joinsParent =
        !openDelimiters.empty() && ((atParentStart && openDelimiters.back().wordBefore) ||
                                    (atParentEnd && openDelimiters.back().wordAfter));
    // A closer with a word on both sides may open too; the parser then pairs it only with an
    // opening run whose length does not add up with its own to a multiple of three, so the run
    // joined at the parent's start had better be one longer.
    const bool lengthensParentRun = atParentStart && openDelimiters.back().character == '*' &&
                                    openDelimiters.back().wordAfter &&
                                    closesAfterWord(*markup.data().parent()->raw.markup) &&
                                    (text.size() - text.find_last_not_of('*') - 1 +
                                     runLengthOf(*markup.data().parent()->raw.markup)) %
                                            3 ==
                                        0;
    const char preferred = (!openDelimiters.empty() && openDelimiters.back().character == '*') ||
                                   innerNeedsAsterisk(markup)
                               ? '_'
                               : '*';
    const char other = preferred == '*' ? '_' : '*';
    const std::size_t span = spansPrinted++;
    const InlineVariant& choices = orFirstGuess(variant);
    // A run nested right inside another may join it, as one run of one character.
    const bool alike = atParentStart && choices.has(InlineVariant::Change::Kind::nestedAlike);
    // What the span prints where the choices name no character for it alone: a search skips
    // choices under which every span prints as it did in an earlier try.
    const char unnamed = alike                               ? openDelimiters.back().character
                         : choices.characterOfEverySpan()    ? *choices.characterOfEverySpan()
                         : joinsParent || lengthensParentRun ? openDelimiters.back().character
                         : fits(preferred)                   ? preferred
                         : fits(other)                       ? other
                                                             : '*';
    const char chosen = alike ? unnamed : choices.characterOf(span).value_or(unnamed);
    spanCharacters.push_back({chosen, unnamed, !alike});
    // Joining the literals before the run changes the text only where an escaped one ends it,
    // or ends the run of them that ends it; a search skips the choices that differ from those
    // of an earlier try only in joins that do not.
    std::size_t runStart = text.size();
    while (runStart > 0 && text[runStart - 1] == chosen && !isEscapedAt(text, runStart - 1))
        --runStart;
    if (runStart > 0 && text[runStart - 1] == chosen) {
        if (runStart == text.size())
            joinsThatAct.push_back({InlineVariant::Change::Kind::joinLiteral, span});
        joinsThatAct.push_back({InlineVariant::Change::Kind::joinLiterals, span});
    }
    const bool joinLiteral = chosen == '*' && !atParentStart &&
                             (opensWithJoiningRun(markup, runLength, wordBefore) ||
                              opensAfterWordStartingAsterisk(text, markup));
    if (choices.has(InlineVariant::Change::Kind::joinLiterals, span))
        inlines->unescapeRun(chosen);
    else if (joinLiteral != choices.has(InlineVariant::Change::Kind::joinLiteral, span))
        inlines->unescapeLast(chosen);
    const std::string delimiter(runLength, chosen);
    const std::string& before = inlines->text();
    const bool spaceBefore = before.empty() || before.back() == ' ' || before.back() == '\n';
    // A hard break after the closer may be printed as a backslash.
    const RawMarkup* parent = parentNode(markup);
    const std::int64_t next = markup.indexInParent() + 1;
    const std::optional<char> known = followingCharacter(markup);
    const bool spaceAfter =
        known == ' ' ||
        (known == '\n' && !(parent && next < parent->childCount() &&
                            parent->child(next)->kind() == RawMarkupKind::lineBreak));
    openDelimiters.push_back({chosen, wordBefore, wordAfter, spaceBefore, spaceAfter});
    runPlaces.push_back({span, inlines->text().size(), runLength, true});
    inlines->appendMarkup(delimiter);
    descendIntoInlines(markup);
    runPlaces.push_back({span, inlines->text().size(), runLength, false});
    inlines->appendMarkup(delimiter);
    if (choices.has(InlineVariant::Change::Kind::joinFollowing, span))
        inlines->joinNextLiterals(chosen);
    inlines->watchNextLiterals(chosen, span);
    openDelimiters.pop_back();
    closeInlines(opened);
}

void MarkupFormatter::visitEmphasis(const Emphasis& emphasis) {
    printDelimited(emphasis, 1);
}

void MarkupFormatter::visitStrong(const Strong& strong) {
    printDelimited(strong, 2);
}

bool MarkupFormatter::printSpanOpening(const Markup& span, std::string_view opening) {
    const bool opened = openInlines();
    // Delimiter runs inside the span cannot meet those outside it.
    const auto outside = std::exchange(openDelimiters, {});
    inlines->appendMarkup(opening);
    descendIntoInlines(span);
    openDelimiters = outside;
    return opened;
}

void MarkupFormatter::visitStrikethrough(const Strikethrough& strikethrough) {
    // Runs of one length close only runs of that length: a strikethrough inside another takes
    // the other length. Runs of two let a text's own tildes stay escaped; runs of one let a
    // pair of them stay bare, where they must flank an emphasis run as a word would.
    const InlineVariant& choices = orFirstGuess(variant);
    const bool odd = choices.has(InlineVariant::Change::Kind::oddStrikethroughRuns);
    const std::size_t tildes = choices.tildesOf(strikethroughsPrinted++)
                                   .value_or((strikethroughDepth % 2 == 0) != odd ? 2 : 1);
    const std::string_view run = tildes == 2 ? "~~" : "~";
    const bool opened = openInlines();
    runPlaces.push_back({noSpan, inlines->text().size(), run.size(), true});
    ++strikethroughDepth;
    printSpanOpening(strikethrough, run);
    --strikethroughDepth;
    runPlaces.push_back({noSpan, inlines->text().size(), run.size(), false});
    inlines->appendMarkup(run);
    closeInlines(opened);
}

void MarkupFormatter::visitImage(const Image& image) {
    // A bracket left bare in its description could take its closing bracket.
    ++imageDepth;
    const bool opened = printSpanOpening(image, "![");
    --imageDepth;
    printDestinationAndTitle(image.source(), image.title());
    closeInlines(opened);
}

void MarkupFormatter::printDestinationAndTitle(const std::optional<std::string>& destination,
                                               const std::optional<std::string>& title) {
    inlines->appendMarkup("](" + linkDestination(destination));
    // A line may break between the destination and the title, not inside the title.
    if (title) {
        if (destination)
            inlines->appendMarkup(" ", true);
        inlines->appendMarkup(linkTitle(*title));
    }
    inlines->appendMarkup(")");
}

void MarkupFormatter::visitLink(const Link& link) {
    if (link.isAutolink() && isAutolinkable(*link.destination())) {
        const bool opened = openInlines();
        inlines->appendMarkup("<" + *link.destination() + ">");
        closeInlines(opened);
        return;
    }
    linkInLink = linkInLink || linkDepth > 0;
    ++linkDepth;
    const bool opened = printSpanOpening(link, "[");
    --linkDepth;
    printDestinationAndTitle(link.destination(), link.title());
    closeInlines(opened);
}

void MarkupFormatter::visitInlineHTML(const InlineHTML& inlineHTML) {
    const bool opened = openInlines();
    // Opening a line, most tags would open an HTML block there; indented as code, a paragraph's
    // line only continues it.
    const std::int64_t index = inlineHTML.indexInParent();
    const RawMarkup* parent = parentNode(inlineHTML);
    if (parent && index > 0 && !inCell) {
        const RawMarkupKind before = parent->child(index - 1)->kind();
        const int kind = htmlBlockKind(inlineHTML.rawHTML());
        if ((before == RawMarkupKind::softBreak || before == RawMarkupKind::lineBreak) &&
            kind >= 1 && kind <= 6)
            inlines->appendMarkup("    ");
    }
    inlines->appendMarkup(inlineHTML.rawHTML());
    closeInlines(opened);
}

void MarkupFormatter::visitInlineAttributes(const InlineAttributes& inlineAttributes) {
    const bool opened = openInlines();
    const bool wasUnbreakable = inlines->isUnbreakable();
    inlines->setUnbreakable(true);
    // Its brackets pair with those inside as a link's do.
    linkInLink = linkInLink || linkDepth > 0;
    ++linkDepth;
    printSpanOpening(inlineAttributes, "^[");
    --linkDepth;
    inlines->setUnbreakable(wasUnbreakable);
    inlines->appendMarkup("](" + inlineAttributes.attributes() + ")");
    closeInlines(opened);
}

void MarkupFormatter::visitText(const Text& text) {
    const bool opened = openInlines();
    printText(text.string(), parentNode(text), text.indexInParent(), text.indexInParent());
    closeInlines(opened);
}

void MarkupFormatter::printText(std::string_view text, const RawMarkup* parent, std::int64_t first,
                                std::int64_t last) {
    if (text.empty())
        inlines->appendEmptyText();
    else
        inlines->appendText(text, textContext(parent, first, last));
}

InlineText::TextContext MarkupFormatter::textContext(const RawMarkup* parent, std::int64_t first,
                                                     std::int64_t last) const {
    // Inside emphasis the innermost open span is the text's parent.
    const bool inSpan = parent && !openDelimiters.empty();
    const InlineVariant& choices = orFirstGuess(variant);
    // An inner closer may join the outer one.
    const bool spaceAfterCloser =
        inSpan && openDelimiters.back().spaceAfter && openDelimiters.size() == 1;
    return {.inCell = inCell,
            .following = followingCharacter(parent, last),
            .afterOpener = inSpan && first == 0,
            .beforeCloser = inSpan && last == parent->childCount() - 1,
            .beforeOpener =
                parent && last + 1 < parent->childCount() && isDelimited(*parent->child(last + 1)),
            .afterCloser = parent && first > 0 && isDelimited(*parent->child(first - 1)),
            .spaceBeforeOpener = inSpan && openDelimiters.back().spaceBefore,
            .spaceAfterCloser = spaceAfterCloser,
            .bareOpeningTildes = choices.has(InlineVariant::Change::Kind::bareOpeningTildes),
            .bareClosingTildes = choices.has(InlineVariant::Change::Kind::bareClosingTildes),
            .bareBrackets = linkDepth > 0 && choices.has(InlineVariant::Change::Kind::bareBrackets),
            .looseBrackets = linkDepth == 0 && imageDepth == 0 &&
                             !choices.has(InlineVariant::Change::Kind::escapedBrackets),
            .bareTildesBesideRuns = choices.has(InlineVariant::Change::Kind::bareTildesBesideRuns),
            .bareLineBreaks = choices.has(InlineVariant::Change::Kind::bareLineBreaks)};
}

void MarkupFormatter::visitSoftBreak(const SoftBreak&) {
    const bool opened = openInlines();
    inlines->appendLineEnd(false);
    closeInlines(opened);
}

void MarkupFormatter::visitLineBreak(const LineBreak&) {
    const bool opened = openInlines();
    // A line end would split the table's row; the page breaks the cell's line at a "<br>".
    if (inCell)
        inlines->appendMarkup("<br>");
    else
        inlines->appendLineEnd(true);
    closeInlines(opened);
}

void MarkupFormatter::descendIntoInlines(const Markup& container) {
    using Children = MarkupChildren::Iterator;
    withStackSpace([&] {
        const RawMarkup& node = *container.raw().markup;
        // Made for the first child that needs an element: a block of texts alone needs none.
        std::optional<Children> children;
        for (std::int64_t index = 0; index < node.childCount(); ++index) {
            if (const auto* text = node.child(index)->data().getIf<RawMarkupKind::text>()) {
                // Adjacent texts (taking soft breaks out leaves them) print as one, so that
                // what is printed does not depend on where they split. A text of nothing says
                // something only before a line end, which another text is not.
                const std::int64_t first = index;
                auto nextText = [&] {
                    return index + 1 < node.childCount()
                               ? node.child(index + 1)->data().getIf<RawMarkupKind::text>()
                               : nullptr;
                };
                std::string joined = text->string;
                while (const auto* next = nextText()) {
                    joined += next->string;
                    ++index;
                }
                printText(joined, &node, first, index);
                continue;
            }
            if (!children)
                children = Children::startOf(container);
            while (children->metadata().indexInParent < index)
                ++*children;
            visit(**children);
        }
    });
}

bool MarkupFormatter::openInlines() {
    if (inlines)
        return false;
    inlines.emplace(std::exchange(spareInlines, {}));
    return true;
}

void MarkupFormatter::closeInlines(bool opened) {
    if (!opened)
        return;
    InlineText text = std::move(*inlines);
    inlines.reset();
    printInlines(std::move(text), !inCell, false);
}

namespace {

using Change = InlineVariant::Change;
using Kind = Change::Kind;
using Slots = std::vector<std::vector<std::vector<Change>>>;

// The choices of each span apart: a character and a way of joining literals; then for each
// strikethrough, a length.
void addSpanChoices(Slots& slots, std::size_t firstSpan, std::size_t spans,
                    std::size_t firstStrikethrough, std::size_t strikethroughs) {
    for (std::size_t span = firstSpan; span < firstSpan + spans; ++span) {
        auto& choices = slots.emplace_back();
        for (const Kind character : {Kind::asterisk, Kind::underscore})
            for (const std::optional<Kind> join :
                 {std::optional<Kind>(), std::optional(Kind::joinLiteral),
                  std::optional(Kind::joinLiterals), std::optional(Kind::joinFollowing)})
                choices.push_back(join ? std::vector<Change>{{character, span}, {*join, span}}
                                       : std::vector<Change>{{character, span}});
    }
    for (std::size_t strikethrough = firstStrikethrough;
         strikethrough < firstStrikethrough + strikethroughs; ++strikethrough)
        slots.push_back({{{Kind::oneTilde, strikethrough}}, {{Kind::twoTildes, strikethrough}}});
}

// Every choice for the spans and strikethroughs at once, as one slot: each a character or a
// length, with the literals beside every span joined one way.
void addChoicesTogether(Slots& slots, InlineVariant::Range spans,
                        InlineVariant::Range strikethroughs) {
    auto& choices = slots.emplace_back();
    for (const std::optional<Kind> join : {std::optional<Kind>(), std::optional(Kind::joinLiterals),
                                           std::optional(Kind::joinFollowing)})
        for (std::size_t bits = 0; bits < (std::size_t(1) << (spans.count + strikethroughs.count));
             ++bits)
            choices.push_back(InlineVariant::everySpan(spans, strikethroughs, bits, join).changes);
}

// How many emphasis spans and strikethroughs `node` and its descendants print.
std::pair<std::size_t, std::size_t> spansIn(const RawMarkup& node) {
    std::pair<std::size_t, std::size_t> count;
    std::vector<const RawMarkup*> pending{&node};
    while (!pending.empty()) {
        const RawMarkup& next = *pending.back();
        pending.pop_back();
        if (isDelimited(next))
            ++count.first;
        else if (next.kind() == RawMarkupKind::strikethrough)
            ++count.second;
        for (const RawMarkupPtr& child : next.children())
            pending.push_back(child.get());
    }
    return count;
}

} // namespace

InlineText MarkupFormatter::gatherInlines(const Markup& container) {
    // Brackets are left bare first, where they read back so; else every one is escaped, and the
    // search's choices are made on top of that. Left bare, a bracket that closes no inline link
    // (those are escaped) and no task box reads as itself where no reference definition is
    // printed: only a text that opens with one and holds a "]:" could be read as a definition.
    InlineVariant base;
    InlineText first = gatherInlinesAs(container, base);
    if (first.leftBracketsBare() && first.text().starts_with('[') &&
        first.text().find("]:") != std::string::npos) {
        if (readsBack(first, *container.raw().markup).same)
            return first;
        recycle(std::move(first));
        base.changes.push_back({InlineVariant::Change::Kind::escapedBrackets, 0});
        first = gatherInlinesAs(container, base);
    }
    std::vector<InlineVariant::Change> firstJoins = joinsThatAct;
    std::vector<InlineSearch::SpanCharacter> firstSpans = spanCharacters;
    std::vector<std::size_t> unclear;
    bool check = linkInLink;
    for (const DelimiterRunPlace& place : runPlaces)
        if (!standsClear(first.text(), place)) {
            check = true;
            if (place.span != noSpan)
                unclear.push_back(place.span);
        }
    if (!check)
        return first;
    const InlineReading firstReading = readsBack(first, *container.raw().markup);
    if (firstReading.same)
        return first;
    // Gathered again in this print, with its code spans printed otherwise, the run most likely
    // reads back with the choices found before.
    if (foundChoices && foundChoices->first == container.raw().markup.get()) {
        InlineText again = gatherInlinesAs(container, foundChoices->second);
        if (readsBack(again, *container.raw().markup).same)
            return again;
    }
    std::sort(unclear.begin(), unclear.end());
    unclear.erase(std::unique(unclear.begin(), unclear.end()), unclear.end());
    const bool tildes = first.text().find('~') != std::string::npos;
    const bool lineBreaks = std::any_of(
        std::begin(roadLineBreaks), std::end(roadLineBreaks), [&](std::string_view lineBreak) {
            return first.text().find(lineBreakReference(lineBreak)) != std::string::npos;
        });
    const std::size_t size = first.text().size() + 1;
    InlineSearch search(searchBudget(size));
    search.keep(first.text(), firstReading);
    search.keep(base, std::move(firstJoins), std::move(firstSpans), firstReading);
    if (std::optional<InlineText> found =
            searchInlines(container, InlineVariant::steps(unclear, tildes, linkInLink, lineBreaks),
                          base, size, search))
        return std::move(*found);
    // Where no change reads back, the characters beside the runs are printed as references,
    // which flank them as punctuation: then a run opens only where it should, or closes, and
    // only the characters of the runs are left to choose.
    std::vector<std::size_t> spans(spansPrinted);
    std::iota(spans.begin(), spans.end(), 0);
    const InlineVariant referencing =
        base.with({{{InlineVariant::Change::Kind::referencesBesideRuns, 0}}});
    if (std::optional<InlineText> found =
            searchInlines(container, InlineVariant::steps(spans, tildes, linkInLink, lineBreaks),
                          referencing, size, search))
        return std::move(*found);
    // Runs nested deep may need several characters changed at once, and the literals beside
    // them joined: a few spans try every choice.
    const std::size_t strikethroughs = strikethroughsPrinted;
    std::vector<InlineVariant> bases{base, referencing};
    for (const auto& [kind, wanted] :
         {std::pair(InlineVariant::Change::Kind::nestedAlike, true),
          std::pair(InlineVariant::Change::Kind::bareLineBreaks, lineBreaks)})
        for (std::size_t i = 0, count = bases.size(); wanted && i < count; ++i)
            bases.push_back(bases[i].with({{{kind, 0}}}));
    // Tildes inside spans' runs may flank them only bare.
    for (std::size_t i = 0, count = bases.size(); tildes && i < count; ++i)
        bases.push_back(bases[i].with({{{InlineVariant::Change::Kind::bareOpeningTildes, 0},
                                        {InlineVariant::Change::Kind::bareClosingTildes, 0}}}));
    const std::size_t slots = spans.size() + strikethroughs;
    if (slots <= 12 && (bases.size() * 3 << slots) * size <= (std::size_t(1) << 20)) {
        Slots together;
        addChoicesTogether(together, {0, spans.size()}, {0, strikethroughs});
        for (const InlineVariant& from : bases)
            if (std::optional<InlineText> found = settle(container, from, together, search))
                return std::move(*found);
    }
    // More spans settle one at a time, in printing order, each on the choice of character and
    // joined literals that reads back furthest; or those under one child of the container at a
    // time; or, where runs nested deep under one child need their characters chosen together,
    // a few spans at a time in printing order. Each base takes all three before the next, so
    // that the first bases, which read back most often, get the budget.
    constexpr std::size_t window = 6;
    const std::size_t windows = (spans.size() + window - 1) / window;
    const bool oneAtATime = spans.size() * size < (std::size_t(1) << 15);
    Slots windowed;
    if (windows * (3 << window) * 2 * size <= (std::size_t(1) << 21))
        for (std::size_t first = 0; first < spans.size(); first += window)
            addChoicesTogether(windowed, {first, std::min(window, spans.size() - first)}, {0, 0});
    for (const InlineVariant& from : bases) {
        if (search.spent())
            break;
        if (oneAtATime) {
            if (std::optional<InlineText> found =
                    settleSpans(container, from, spans.size(), strikethroughs, search))
                return std::move(*found);
            if (std::optional<InlineText> found = settleGroups(container, from, search))
                return std::move(*found);
        }
        if (!windowed.empty())
            if (std::optional<InlineText> found = settle(container, from, windowed, search))
                return std::move(*found);
    }
    return first;
}

std::optional<InlineText> MarkupFormatter::settleSpans(const Markup& container,
                                                       const InlineVariant& base, std::size_t spans,
                                                       std::size_t strikethroughs,
                                                       InlineSearch& search) {
    Slots options;
    addSpanChoices(options, 0, spans, 0, strikethroughs);
    return settle(container, base, options, search);
}

std::optional<InlineText> MarkupFormatter::settleGroups(const Markup& container,
                                                        const InlineVariant& base,
                                                        InlineSearch& search) {
    // The spans under each child of the container choose together, every choice at once where
    // they are few: runs nested deep inside one another read back only so, and those of
    // different children hardly meet.
    Slots options;
    std::size_t span = 0;
    std::size_t strikethrough = 0;
    for (const RawMarkupPtr& child : container.raw().markup->children()) {
        const auto [spans, strikethroughs] = spansIn(*child);
        if (spans + strikethroughs > 8) {
            addSpanChoices(options, span, spans, strikethrough, strikethroughs);
        } else if (spans + strikethroughs > 0) {
            addChoicesTogether(options, {span, spans}, {strikethrough, strikethroughs});
        }
        span += spans;
        strikethrough += strikethroughs;
    }
    return settle(container, base, options, search);
}

std::optional<InlineText> MarkupFormatter::settle(const Markup& container,
                                                  const InlineVariant& base, const Slots& options,
                                                  InlineSearch& search) {
    // None chosen is the first guess.
    std::vector<std::optional<std::size_t>> chosen(options.size());
    auto variantOf = [&] {
        InlineVariant variant = base;
        for (std::size_t slot = 0; slot < options.size(); ++slot)
            if (chosen[slot])
                variant.changes.insert(variant.changes.end(), options[slot][*chosen[slot]].begin(),
                                       options[slot][*chosen[slot]].end());
        return variant;
    };
    // A second pass sees each slot against the others' settled choices; one slot has none. A
    // slot whose others have not changed since it settled would only settle the same again.
    std::size_t turn = 0;
    std::size_t changedAt = 0;
    std::vector<std::optional<std::size_t>> settledAt(options.size());
    for (int pass = 0; pass < (options.size() > 1 ? 2 : 1); ++pass)
        for (std::size_t slot = 0; slot < options.size(); ++slot, ++turn) {
            if (settledAt[slot] && changedAt <= *settledAt[slot])
                continue;
            const std::optional<std::size_t> settled = chosen[slot];
            std::size_t furthest = 0;
            std::optional<std::size_t> best = settled;
            for (std::size_t option = 0; option < options[slot].size(); ++option) {
                chosen[slot] = option;
                std::optional<InlineTry> attempt = tryInlines(container, variantOf(), search);
                if (!attempt)
                    return std::nullopt;
                if (attempt->reading.same)
                    return std::move(attempt->text);
                if (attempt->reading.agreeing > furthest) {
                    furthest = attempt->reading.agreeing;
                    best = option;
                }
            }
            chosen[slot] = best;
            settledAt[slot] = turn;
            if (best != settled)
                changedAt = turn;
        }
    return std::nullopt;
}

std::optional<MarkupFormatter::InlineTry> MarkupFormatter::tryInlines(const Markup& container,
                                                                      const InlineVariant& choices,
                                                                      InlineSearch& search) {
    if (search.spent())
        return std::nullopt;
    if (const InlineReading* known = search.readingOf(choices))
        return InlineTry{{}, *known, true};
    InlineTry attempt{gatherInlinesAs(container, choices), {}, false};
    // Printing the text costs about as much as parsing it.
    const std::size_t size = attempt.text.text().size() + 1;
    if (!search.spend(size))
        return std::nullopt;
    if (const InlineReading* known = search.readingOf(attempt.text.text())) {
        attempt.reading = *known;
        attempt.seen = true;
    } else {
        if (!search.spend(size))
            return std::nullopt;
        attempt.reading = readsBack(attempt.text, *container.raw().markup);
        search.keep(attempt.text.text(), attempt.reading);
        if (attempt.reading.same)
            foundChoices.emplace(container.raw().markup.get(), choices);
    }
    search.keep(choices, std::move(joinsThatAct), std::move(spanCharacters), attempt.reading);
    return attempt;
}

std::optional<InlineText> MarkupFormatter::searchInlines(const Markup& container,
                                                         const std::vector<InlineVariant>& steps,
                                                         const InlineVariant& base,
                                                         std::size_t size, InlineSearch& search) {
    // Each try prints and parses the whole run again: long runs get fewer.
    std::size_t gathers = std::min<std::size_t>(128, 1 + (std::size_t(1) << 23) / size);
    std::size_t parses = std::min<std::size_t>(48, 1 + (std::size_t(1) << 22) / size);
    if (!base.changes.empty()) {
        std::optional<InlineTry> attempt = tryInlines(container, base, search);
        if (!attempt)
            return std::nullopt;
        if (!attempt->seen && attempt->reading.same)
            return std::move(attempt->text);
    }
    // Greedy: each round keeps the step whose text reads back furthest, and tries the others on
    // top of it.
    InlineVariant current = base;
    for (int round = 0; round < 6; ++round) {
        std::optional<InlineVariant> further;
        InlineReading furthest;
        for (const InlineVariant& step : steps) {
            if (current.includes(step))
                continue;
            if (gathers-- == 0)
                return std::nullopt;
            InlineVariant choices = current.with(step);
            std::optional<InlineTry> attempt = tryInlines(container, choices, search);
            if (!attempt)
                return std::nullopt;
            if (attempt->seen)
                continue;
            if (attempt->reading.same)
                return std::move(attempt->text);
            if (attempt->reading.agreeing > furthest.agreeing) {
                further = std::move(choices);
                furthest = attempt->reading;
            }
            if (--parses == 0)
                return std::nullopt;
        }
        if (!further)
            break;
        current = std::move(*further);
    }
    // Some texts read back only with two changes made together, neither of which reads any
    // further alone (a closer that may open needs both another character and the literal after
    // it joined): short runs try every pair.
    gathers = std::min<std::size_t>(1024, 1 + (std::size_t(1) << 20) / size);
    parses = std::min<std::size_t>(256, 1 + (std::size_t(1) << 19) / size);
    for (std::size_t i = 0; i < steps.size(); ++i)
        for (std::size_t j = i + 1; j < steps.size(); ++j) {
            if (gathers-- == 0)
                return std::nullopt;
            std::optional<InlineTry> attempt =
                tryInlines(container, base.with(steps[i].with(steps[j])), search);
            if (!attempt)
                return std::nullopt;
            if (attempt->seen)
                continue;
            if (attempt->reading.same)
                return std::move(attempt->text);
            if (--parses == 0)
                return std::nullopt;
        }
    return std::nullopt;
}

InlineReading MarkupFormatter::readsBack(const InlineText& text, const RawMarkup& container) {
    std::string laidOut = text.laidOut({.linesStartBlocks = true, .wrapping = std::nullopt});
    keepFinalSpace(laidOut);
    // Read alone, the text would lose a byte order mark that opens it.
    referenceOpeningByteOrderMark(laidOut);
    return readBack(laidOut, container);
}

InlineText MarkupFormatter::gatherInlinesAs(const Markup& container, const InlineVariant& choices) {
    variant = &choices;
    spansPrinted = 0;
    codeSpansGathered = 0;
    strikethroughsPrinted = 0;
    runPlaces.clear();
    joinsThatAct.clear();
    spanCharacters.clear();
    linkInLink = false;
    inlines.emplace(std::exchange(spareInlines, {}));
    descendIntoInlines(container);
    InlineText text = std::move(*inlines);
    inlines.reset();
    variant = nullptr;
    for (const std::size_t span : text.metWatches())
        joinsThatAct.push_back({InlineVariant::Change::Kind::joinFollowing, span});
    if (choices.has(InlineVariant::Change::Kind::referencesBesideRuns))
        text.referenceCharacters(charactersToReference(text, runPlaces));
    return text;
}

void MarkupFormatter::printInlines(InlineText text, bool linesStartBlocks, bool wrap,
                                   const Markup* paragraph) {
    // Queued line ends put the text on a line of its own.
    const bool continuesLine = lineOpen && current.queuedNewlines == 0;
    InlineText::Layout layout{.linesStartBlocks = linesStartBlocks,
                              .restIndentedPastBlocks = definitionLines,
                              .firstIndent =
                                  continuesLine ? state().currentLength : prefixes.nextWidth(),
                              .restIndent = prefixes.restWidth(),
                              .wrapping = std::nullopt,
                              .lineEndsCloseDirectives = directiveDepth > 0 && !inCell};
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
        return RoadReading::of(roadInCode, directiveDepth > 0, firstLine, prefixes.restPrefix(),
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
    if (!inDoxygen &&
        (laidOut.find('`') != std::string::npos || laidOut.find('~') != std::string::npos)) {
        mayFlip = linesMayFlip();
        const bool end = mayFlip ? roadEndsInCode(laidOut) : roadInCode;
        // Off where the block after it can be read so; on only where it needs that.
        const std::uint8_t wanted = roadWantedAfter();
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
                splitCodeSpan = tried / 2;
                spanOverTwoLines = tried % 2 == 1;
                InlineText split = gatherInlines(*paragraph);
                splitCodeSpan.reset();
                if (codeSpansGathered <= tried / 2)
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
        roadInCode = roadEndsInCode(laidOut);
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

void MarkupFormatter::visitTable(const Table& table) {
    auto columns = static_cast<std::size_t>(table.maxColumnCount());
    if (columns == 0)
        return; // Markdown has no table without a column
    std::vector<std::string> lines;
    auto rowLine = [&](const auto& row) {
        std::vector<std::optional<std::string>> cells;
        for (const Table::Cell& cell : row.cells()) {
            if (cell.colspan() == 0)
                cells.emplace_back(std::nullopt);
            else if (cell.rowspan() == 0)
                cells.emplace_back("^");
            else
                cells.emplace_back(cellText(cell));
        }
        lines.push_back(tableLine(cells, columns));
    };
    rowLine(table.head());
    std::vector<std::optional<std::string>> delimiters;
    for (const auto& alignment : table.columnAlignments())
        delimiters.emplace_back(delimiter(alignment));
    delimiters.resize(std::max(delimiters.size(), columns), std::string("---"));
    lines.push_back(tableLine(delimiters, columns));
    for (const Table::Row& row : table.body().rows())
        rowLine(row);

    startBlock();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            queueNewlines(1);
        print(lines[i]);
    }
}

void MarkupFormatter::visitTableHead(const Table::Head&) {
    stopOnTablePart("visitTableHead");
}

void MarkupFormatter::visitTableBody(const Table::Body&) {
    stopOnTablePart("visitTableBody");
}

void MarkupFormatter::visitTableRow(const Table::Row&) {
    stopOnTablePart("visitTableRow");
}

void MarkupFormatter::visitTableCell(const Table::Cell&) {
    stopOnTablePart("visitTableCell");
}

std::string MarkupFormatter::cellText(const Table::Cell& cell) const {
    // A detached cell is rewritten alone, not inside a copy of its whole table.
    Table::Cell::BreakDeleter deleter;
    std::optional<Markup> rewritten = cell.detachedFromParent().accept(deleter);
    require(rewritten.has_value());
    MarkupFormatter cellFormatter(options);
    cellFormatter.inCell = true;
    cellFormatter.printInlines(cellFormatter.gatherInlines(*rewritten), false, false);
    // A lone caret would stretch the cell above over this one.
    if (cellFormatter.printed == "^")
        return "\\^";
    // A cell is trimmed of vertical tabs and form feeds as of spaces; references keep them.
    std::string text = std::move(cellFormatter.printed);
    const auto reference = [](const char& c) {
        return lineBreakReference(std::string_view(&c, 1));
    };
    if (text.size() > 1 && (text.back() == '\v' || text.back() == '\f'))
        text.replace(text.size() - 1, 1, reference(text.back()));
    if (!text.empty() && (text.front() == '\v' || text.front() == '\f'))
        text.replace(0, 1, reference(text.front()));
    return text;
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
    joinedTightly = false;
    joinOptional = false;
    const bool optional = std::exchange(itemJoin, false);
    if (std::exchange(blockPlaced, false))
        return;
    const bool forced = std::exchange(tightStart, false) || tightBlocks;
    const bool tight = forced || optional;
    joinedTightly = tight && !printed.empty();
    joinOptional = joinedTightly && !forced;
    if (!printed.empty())
        current.queuedNewlines =
            std::max(current.queuedNewlines, (tight ? 1 : 2) - current.newlineStreak);
}

void MarkupFormatter::startContainer() {
    startBlock();
    blockPlaced = true;
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
