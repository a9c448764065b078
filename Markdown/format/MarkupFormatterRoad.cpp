// The printer's plan for the directive road's fence toggle: the states each block may start in,
// and the layout of a code block that leaves the toggle as the blocks after it need.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/format/FormatterRules.hpp"
#include "Markdown/format/RoadReading.hpp"
#include "Markdown/support/UnicodeText.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace markdown {
namespace {

bool isDirectiveOrCommand(RawMarkupKind kind) {
    return kind == RawMarkupKind::blockDirective || kind == RawMarkupKind::doxygenDiscussion ||
           kind == RawMarkupKind::doxygenNote || kind == RawMarkupKind::doxygenAbstract ||
           kind == RawMarkupKind::doxygenParam || kind == RawMarkupKind::doxygenReturns;
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

} // namespace

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
    return html && fits(RoadReading::of(inCode, directive.depth > 0, "", prefixes.restPrefix(),
                                        withoutFinalLineEnds(html->html), std::nullopt));
}

std::int64_t MarkupFormatter::itemsCarryingToggleFrom(const RawMarkup& list) {
    const auto [known, added] = road.toggleCarriedFrom.try_emplace(&list, list.childCount());
    if (added)
        while (known->second > 0 && cannotFlipToggle(*list.child(known->second - 1),
                                                     options.preferredLineLimit.has_value()))
            --known->second;
    return known->second;
}

void MarkupFormatter::findRoadEntries(const Markup& container) {
    road.entries.clear();
    if (directive.inDoxygen)
        return;
    const RawMarkup& node = *container.raw().markup;
    const std::int64_t count = node.childCount();
    // What the lines after the last block need: a directive's closing brace reads only where the
    // toggle is off, and past a list's last item come the lines after the list.
    std::uint8_t end = eitherState;
    if (node.kind() == RawMarkupKind::blockDirective && !directive.endsTree) {
        end = offState;
    } else if (node.kind() == RawMarkupKind::listItem && !road.enclosing.empty()) {
        // The items after this one carry the toggle through where none of them can flip it.
        const RoadPlan::Enclosing& outer = road.enclosing.back();
        const MarkupData* list = container.data().parent();
        const std::uint8_t after = RoadPlan::wantedAfter(outer.entries, outer.at);
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
    const bool inDirective = directive.depth > 0;
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
    road.entries = std::move(entries);
}

std::vector<MarkupFormatter::CodeCandidate>
MarkupFormatter::codeCandidates(const CodeBlock& codeBlock, std::string_view code,
                                const std::string& opening, const std::string& fence, bool inCode,
                                const std::string& first, bool afterIndented, bool opensText,
                                const std::function<bool(const RoadReading&)>& done) const {
    const std::string rest = prefixes.restPrefix();
    const bool inDirective = directive.depth > 0;
    // A line indented as code past the indentation the road takes off is code to it.
    const std::optional<std::int64_t> indentedIsCode =
        inDirective ? directive.codeColumns : std::optional<std::int64_t>(4);
    std::vector<CodeCandidate> layouts;
    // Each is read only while none before it will do.
    bool finished = false;
    const auto add = [&](CodeLayout layout, auto read, std::size_t indent = 0) {
        if (finished)
            return;
        // A Doxygen command's lines flip no toggle; only code lines that look like directives
        // matter.
        const RoadReading reading =
            directive.inDoxygen ? RoadReading::withoutToggle(rest, code) : read();
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
        !isBlank(code.substr(lastStart)) && !blocks.tightBlocks && !blocks.joinedTightly &&
        !afterList && !afterIndented && first == rest &&
        !(parentKind == RawMarkupKind::blockDirective && index == 0 && !directive.braceAlone);
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
    if (endsItsList && !directive.inDoxygen)
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
    if (first == rest && !directive.inDoxygen &&
        !(parentKind == RawMarkupKind::blockDirective && index == 0 && !directive.braceAlone)) {
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
    if (opensText && first.empty() && !directive.inDoxygen)
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
    const std::uint8_t wanted = road.wantedAfter();
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
        parent && index > 0 &&
        parent->raw.markup->child(index - 1).get() == blocks.indentedCodeBlock;
    const std::vector<CodeCandidate> layouts =
        codeCandidates(codeBlock, code, opening, fence, road.inCode, prefixes.nextLinePrefix(),
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
                road.inCode = candidate.reading.endsInCode && !directive.inDoxygen;
                road.fenceIndent = candidate.fenceIndent;
                return candidate.layout;
            }
    road.inCode = layouts.front().reading.endsInCode && !directive.inDoxygen;
    return CodeLayout::fenced;
}

} // namespace markdown
