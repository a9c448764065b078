// The printer's block visits: how each block is printed and how it joins the ones before it.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/format/FormatterRules.hpp"
#include "Markdown/format/HTMLBlockStart.hpp"
#include "Markdown/format/InlineSyntax.hpp"
#include "Markdown/format/RoadReading.hpp"
#include "Markdown/support/UnicodeText.hpp"
#include "Markdown/tree/ListTightness.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace markdown {
namespace {

std::size_t longestRun(std::string_view text, char c) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char d : text) {
        run = d == c ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
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

} // namespace

void MarkupFormatter::visitDocument(const Document& document) {
    printBlocks(document);
}

void MarkupFormatter::printBlocks(const Markup& container) {
    std::optional<RawMarkupKind> previous;
    const MarkupChildren children = container.children();
    const MarkupChildren::Iterator end = children.end();
    road.enclosing.push_back(
        {road.blockPrinted, road.blocksParent, container.indexInParent(), std::move(road.entries)});
    road.blocksParent = container.raw().markup.get();
    findRoadEntries(container);
    // The blocks of a tight list's item follow each other line by line where they can.
    const bool tightItem = container.kind() == RawMarkupKind::listItem && blocks.listTight;
    const RawMarkup* previousBlock = nullptr;
    for (auto child = children.begin(); child != end; ++child) {
        const Markup block = *child;
        const RawMarkup& raw = *block.raw().markup;
        blocks.itemJoin = tightItem && previousBlock && mayFollowTightly(*previousBlock, raw);
        previousBlock = &raw;
        blocks.listMarkerToAvoid.reset();
        if (previous == block.kind() && isList(block.kind()))
            blocks.listMarkerToAvoid = blocks.lastListMarker;
        previous = block.kind();
        road.blockPrinted.emplace(child, end);
        visit(block);
    }
    road.blockPrinted = road.enclosing.back().at;
    road.blocksParent = road.enclosing.back().parent;
    road.entries = std::move(road.enclosing.back().entries);
    road.enclosing.pop_back();
}

void MarkupFormatter::visitBlockQuote(const BlockQuote& blockQuote) {
    startContainer();
    prefixes.push("> ", "> ");
    if (blockQuote.isEmpty())
        printBareLine();
    printBlocks(blockQuote);
    prefixes.pop();
    blocks.blockPlaced = false;
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
        blocks.indentedCodeBlock = codeBlock.raw().markup.get();
        print(indentedCode(code));
        return;
    case CodeLayout::fencedIndented: {
        const std::string indent(road.fenceIndent, ' ');
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
            print(
                std::string(road.fenceIndent, ' ') + opening +
                (codeBlock.code().empty()
                     ? ""
                     : "\n" + indentedCode(codeBlock.code(), std::string(road.fenceIndent, ' '))));
        // A blank line after it would be code.
        blocks.tightStart = true;
        // The text's last line is one only with a line end after it: a blank one needs another.
        if (codeBlock.code() == "\n" || codeBlock.code().ends_with("\n\n"))
            queueNewlines(1);
        return;
    }
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
        const std::uint8_t wanted = road.wantedAfter();
        return !directive.inDoxygen && (wanted & stateBit(road.inCode)) == 0 &&
               (wanted & stateBit(!road.inCode)) != 0;
    };
    bool flips = level <= 2 && flipWanted();
    if (flips && !holdsRun(content)) {
        // Else a code span printed with a run of three may give the line one.
        flips = false;
        for (std::size_t span = 0; !flips && span < 4; ++span) {
            codeSpanSplit.span = span;
            std::size_t codeSpans = 0;
            InlineText split = gatherInlines(heading, &codeSpans);
            codeSpanSplit.span.reset();
            if (codeSpans <= span)
                break;
            if ((flips = holdsRun(split)))
                std::swap(content, split);
            recycle(std::move(split));
        }
    }
    if (level <= 2 && (content.text().find('\n') != std::string::npos || flips)) {
        // Only an underlined heading spans lines; text right before it would join them.
        if (blocks.joinOptional)
            current.queuedNewlines =
                std::max(current.queuedNewlines, std::int64_t(2) - current.newlineStreak);
        printInlines(std::move(content), true, wrapped && flips, flips ? &heading : nullptr);
        print(std::string("\n") + (level == 1 ? "===" : "---"));
        return;
    }
    std::string text = content.laidOut({.linesStartBlocks = false,
                                        .wrapping = std::nullopt,
                                        .lineEndsCloseDirectives = directive.depth > 0});
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
    const bool dashes = !prefixes.pendingFirst().starts_with('-') && !blocks.tightBlocks &&
                        !blocks.joinedTightly && !printed.empty();
    print(dashes ? "---" : "***");
}

void MarkupFormatter::visitHTMLBlock(const HTMLBlock& htmlBlock) {
    startBlock();
    const std::string_view html = withoutFinalLineEnds(htmlBlock.rawHTML());
    // A directive takes a brace that ends its content's first line for its own closing brace,
    // a blank line before it for nothing.
    const std::string_view firstLine = html.substr(0, html.find('\n'));
    if (directive.depth > 0 && runStart &&
        firstLine.substr(0, firstLine.find_last_not_of(" \t") + 1).ends_with('}'))
        current.queuedNewlines = std::max<std::int64_t>(current.queuedNewlines, 2);
    // Its lines may look like fences to the block-directive road.
    if (!directive.inDoxygen)
        road.inCode = RoadReading::of(road.inCode, directive.depth > 0, "", prefixes.restPrefix(),
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
        marker = std::to_string(number) + (blocks.lastListMarker == ')' ? ')' : '.') + " ";
    } else if (parent && parent->kind() == RawMarkupKind::unorderedList) {
        marker = blocks.lastListMarker == '*' ? "* " : "- ";
    }
    const std::string rest(marker.size(), ' ');
    if (listItem.checkbox())
        marker += *listItem.checkbox() == Checkbox::checked ? "[x] " : "[ ] ";
    // A tight list's items follow each other line by line, a loose one's after a blank line
    // (unless the item before ended with a code block that a blank line would continue).
    blocks.tightStart = listItem.indexInParent() > 0 && (blocks.tightStart || blocks.listTight);
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
    blocks.blockPlaced = false;
}

void MarkupFormatter::visitOrderedList(const OrderedList& orderedList) {
    printList(orderedList, blocks.listMarkerToAvoid == '.' ? ')' : '.');
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
    printList(unorderedList, blocks.listMarkerToAvoid == '-' || dashesAlone ? '*' : '-');
}

void MarkupFormatter::printList(const Markup& list, char marker) {
    startContainer();
    const bool wasTight = std::exchange(blocks.listTight, isTightList(*list.raw().markup));
    for (const Markup& item : list.children()) {
        blocks.lastListMarker = marker;
        visit(item);
    }
    blocks.lastListMarker = marker;
    blocks.listTight = wasTight;
    blocks.blockPlaced = false;
}

void MarkupFormatter::visitParagraph(const Paragraph& paragraph) {
    startBlock();
    InlineText text = gatherInlines(paragraph);
    // In a note, the lines after a footnote definition's first line belong to it where they are
    // indented, as they most often are in the source: the parser cannot tell.
    const MarkupData* parent = paragraph.data().parent();
    const bool definition = parent && parent->raw.markup->kind() == RawMarkupKind::document &&
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
    blocks.definitionLines = definition;
    printInlines(std::move(text), true, true, &paragraph);
    blocks.definitionLines = false;
    if (definition)
        prefixes.pop();
}

} // namespace markdown
