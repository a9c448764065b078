// The printer's inline visits, and the delimiter characters that keep emphasis runs apart.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/format/FormatterRules.hpp"
#include "Markdown/format/HTMLBlockStart.hpp"
#include "Markdown/format/InlineSyntax.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"
#include "Markdown/support/Fatal.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace markdown {
namespace {

const InlineVariant firstGuess;

const InlineVariant& orFirstGuess(const InlineVariant* variant) {
    return variant ? *variant : firstGuess;
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

} // namespace

void MarkupFormatter::visitInlineCode(const InlineCode& inlineCode) {
    const bool opened = openInlines();
    if (codeSpanSplit.span == gathering().codeSpansGathered++ && !inCell &&
        gathering().linkDepth == 0 && !inlineCode.code().empty()) {
        gathering().inlines->appendMarkup(codeSpanSplit.overTwoLines
                                              ? codeSpanOverTwoLines(inlineCode.code())
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
        (gathering().inlines->empty() || gathering().inlines->text().ends_with('\n')))
        span.replace(span.size() - run - 1, 1, "\n    ");
    gathering().inlines->appendMarkup(span);
    closeInlines(opened);
}

void MarkupFormatter::visitSymbolLink(const SymbolLink& symbolLink) {
    const bool opened = openInlines();
    gathering().inlines->appendMarkup(codeSpan(symbolLink.destination().value_or(""), 2, inCell));
    closeInlines(opened);
}

void MarkupFormatter::printDelimited(const Markup& markup, std::size_t runLength) {
    const bool opened = openInlines();
    const std::string& text = gathering().inlines->text();
    // Inside a word only asterisks open; there a strong run may join the run before it, which
    // the parser splits from the inside out.
    const bool atParentStart = !gathering().openDelimiters.empty() && markup.indexInParent() == 0;
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
        !gathering().openDelimiters.empty() &&
        markup.indexInParent() + 1 == markup.data().parent()->raw.markup->childCount();
    const bool joinsParent = !gathering().openDelimiters.empty() &&
                             ((atParentStart && gathering().openDelimiters.back().wordBefore) ||
                              (atParentEnd && gathering().openDelimiters.back().wordAfter));
    // A closer with a word on both sides may open too; the parser then pairs it only with an
    // opening run whose length does not add up with its own to a multiple of three, so the run
    // joined at the parent's start had better be one longer.
    const bool lengthensParentRun = atParentStart &&
                                    gathering().openDelimiters.back().character == '*' &&
                                    gathering().openDelimiters.back().wordAfter &&
                                    closesAfterWord(*markup.data().parent()->raw.markup) &&
                                    (text.size() - text.find_last_not_of('*') - 1 +
                                     runLengthOf(*markup.data().parent()->raw.markup)) %
                                            3 ==
                                        0;
    const char preferred = (!gathering().openDelimiters.empty() &&
                            gathering().openDelimiters.back().character == '*') ||
                                   innerNeedsAsterisk(markup)
                               ? '_'
                               : '*';
    const char other = preferred == '*' ? '_' : '*';
    const std::size_t span = gathering().spansPrinted++;
    const InlineVariant& choices = orFirstGuess(gathering().variant);
    // A run nested right inside another may join it, as one run of one character.
    const bool alike = atParentStart && choices.has(InlineVariant::Change::Kind::nestedAlike);
    // What the span prints where the choices name no character for it alone: a search skips
    // choices under which every span prints as it did in an earlier try.
    const char unnamed = alike ? gathering().openDelimiters.back().character
                         : choices.characterOfEverySpan() ? *choices.characterOfEverySpan()
                         : joinsParent || lengthensParentRun
                             ? gathering().openDelimiters.back().character
                         : fits(preferred) ? preferred
                         : fits(other)     ? other
                                           : '*';
    const char chosen = alike ? unnamed : choices.characterOf(span).value_or(unnamed);
    gathering().spanCharacters.push_back({chosen, unnamed, !alike});
    // Joining the literals before the run changes the text only where an escaped one ends it,
    // or ends the run of them that ends it; a search skips the choices that differ from those
    // of an earlier try only in joins that do not.
    std::size_t runStart = text.size();
    while (runStart > 0 && text[runStart - 1] == chosen && !isEscapedAt(text, runStart - 1))
        --runStart;
    if (runStart > 0 && text[runStart - 1] == chosen) {
        if (runStart == text.size())
            gathering().joinsThatAct.push_back({InlineVariant::Change::Kind::joinLiteral, span});
        gathering().joinsThatAct.push_back({InlineVariant::Change::Kind::joinLiterals, span});
    }
    const bool joinLiteral = chosen == '*' && !atParentStart &&
                             (opensWithJoiningRun(markup, runLength, wordBefore) ||
                              opensAfterWordStartingAsterisk(text, markup));
    if (choices.has(InlineVariant::Change::Kind::joinLiterals, span))
        gathering().inlines->unescapeRun(chosen);
    else if (joinLiteral != choices.has(InlineVariant::Change::Kind::joinLiteral, span))
        gathering().inlines->unescapeLast(chosen);
    const std::string delimiter(runLength, chosen);
    const std::string& before = gathering().inlines->text();
    const bool spaceBefore = before.empty() || before.back() == ' ' || before.back() == '\n';
    // A hard break after the closer may be printed as a backslash.
    const RawMarkup* parent = parentNode(markup);
    const std::int64_t next = markup.indexInParent() + 1;
    const std::optional<char> known = followingCharacter(markup);
    const bool spaceAfter =
        known == ' ' ||
        (known == '\n' && !(parent && next < parent->childCount() &&
                            parent->child(next)->kind() == RawMarkupKind::lineBreak));
    gathering().openDelimiters.push_back({chosen, wordBefore, wordAfter, spaceBefore, spaceAfter});
    gathering().runPlaces.push_back({span, gathering().inlines->text().size(), runLength, true});
    gathering().inlines->appendMarkup(delimiter);
    descendIntoInlines(markup);
    gathering().runPlaces.push_back({span, gathering().inlines->text().size(), runLength, false});
    gathering().inlines->appendMarkup(delimiter);
    if (choices.has(InlineVariant::Change::Kind::joinFollowing, span))
        gathering().inlines->joinNextLiterals(chosen);
    gathering().inlines->watchNextLiterals(chosen, span);
    gathering().openDelimiters.pop_back();
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
    const auto outside = std::exchange(gathering().openDelimiters, {});
    gathering().inlines->appendMarkup(opening);
    descendIntoInlines(span);
    gathering().openDelimiters = outside;
    return opened;
}

void MarkupFormatter::visitStrikethrough(const Strikethrough& strikethrough) {
    // Runs of one length close only runs of that length: a strikethrough inside another takes
    // the other length. Runs of two let a text's own tildes stay escaped; runs of one let a
    // pair of them stay bare, where they must flank an emphasis run as a word would.
    const InlineVariant& choices = orFirstGuess(gathering().variant);
    const bool odd = choices.has(InlineVariant::Change::Kind::oddStrikethroughRuns);
    const std::size_t tildes =
        choices.tildesOf(gathering().strikethroughsPrinted++)
            .value_or((gathering().strikethroughDepth % 2 == 0) != odd ? 2 : 1);
    const std::string_view run = tildes == 2 ? "~~" : "~";
    const bool opened = openInlines();
    gathering().runPlaces.push_back({noSpan, gathering().inlines->text().size(), run.size(), true});
    ++gathering().strikethroughDepth;
    printSpanOpening(strikethrough, run);
    --gathering().strikethroughDepth;
    gathering().runPlaces.push_back(
        {noSpan, gathering().inlines->text().size(), run.size(), false});
    gathering().inlines->appendMarkup(run);
    closeInlines(opened);
}

void MarkupFormatter::visitImage(const Image& image) {
    // A bracket left bare in its description could take its closing bracket.
    ++gathering().imageDepth;
    const bool opened = printSpanOpening(image, "![");
    --gathering().imageDepth;
    printDestinationAndTitle(image.source(), image.title());
    closeInlines(opened);
}

void MarkupFormatter::printDestinationAndTitle(const std::optional<std::string>& destination,
                                               const std::optional<std::string>& title) {
    gathering().inlines->appendMarkup("](" + linkDestination(destination));
    // A line may break between the destination and the title, not inside the title.
    if (title) {
        if (destination)
            gathering().inlines->appendMarkup(" ", true);
        gathering().inlines->appendMarkup(linkTitle(*title));
    }
    gathering().inlines->appendMarkup(")");
}

void MarkupFormatter::visitLink(const Link& link) {
    if (link.isAutolink() && isAutolinkable(*link.destination())) {
        const bool opened = openInlines();
        gathering().inlines->appendMarkup("<" + *link.destination() + ">");
        closeInlines(opened);
        return;
    }
    gathering().linkInLink = gathering().linkInLink || gathering().linkDepth > 0;
    ++gathering().linkDepth;
    const bool opened = printSpanOpening(link, "[");
    --gathering().linkDepth;
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
            gathering().inlines->appendMarkup("    ");
    }
    gathering().inlines->appendMarkup(inlineHTML.rawHTML());
    closeInlines(opened);
}

void MarkupFormatter::visitInlineAttributes(const InlineAttributes& inlineAttributes) {
    const bool opened = openInlines();
    const bool wasUnbreakable = gathering().inlines->isUnbreakable();
    gathering().inlines->setUnbreakable(true);
    // Its brackets pair with those inside as a link's do.
    gathering().linkInLink = gathering().linkInLink || gathering().linkDepth > 0;
    ++gathering().linkDepth;
    printSpanOpening(inlineAttributes, "^[");
    --gathering().linkDepth;
    gathering().inlines->setUnbreakable(wasUnbreakable);
    gathering().inlines->appendMarkup("](" + inlineAttributes.attributes() + ")");
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
        gathering().inlines->appendEmptyText();
    else
        gathering().inlines->appendText(text, textContext(parent, first, last));
}

InlineText::TextContext MarkupFormatter::textContext(const RawMarkup* parent, std::int64_t first,
                                                     std::int64_t last) const {
    // Inside emphasis the innermost open span is the text's parent.
    const bool inSpan = parent && !gathering().openDelimiters.empty();
    const InlineVariant& choices = orFirstGuess(gathering().variant);
    // An inner closer may join the outer one.
    const bool spaceAfterCloser = inSpan && gathering().openDelimiters.back().spaceAfter &&
                                  gathering().openDelimiters.size() == 1;
    return {.inCell = inCell,
            .following = followingCharacter(parent, last),
            .afterOpener = inSpan && first == 0,
            .beforeCloser = inSpan && last == parent->childCount() - 1,
            .beforeOpener =
                parent && last + 1 < parent->childCount() && isDelimited(*parent->child(last + 1)),
            .afterCloser = parent && first > 0 && isDelimited(*parent->child(first - 1)),
            .spaceBeforeOpener = inSpan && gathering().openDelimiters.back().spaceBefore,
            .spaceAfterCloser = spaceAfterCloser,
            .bareOpeningTildes = choices.has(InlineVariant::Change::Kind::bareOpeningTildes),
            .bareClosingTildes = choices.has(InlineVariant::Change::Kind::bareClosingTildes),
            .bareBrackets =
                gathering().linkDepth > 0 && choices.has(InlineVariant::Change::Kind::bareBrackets),
            .looseBrackets = gathering().linkDepth == 0 && gathering().imageDepth == 0 &&
                             !choices.has(InlineVariant::Change::Kind::escapedBrackets),
            .bareTildesBesideRuns = choices.has(InlineVariant::Change::Kind::bareTildesBesideRuns),
            .bareLineBreaks = choices.has(InlineVariant::Change::Kind::bareLineBreaks)};
}

void MarkupFormatter::visitSoftBreak(const SoftBreak&) {
    const bool opened = openInlines();
    gathering().inlines->appendLineEnd(false);
    closeInlines(opened);
}

void MarkupFormatter::visitLineBreak(const LineBreak&) {
    const bool opened = openInlines();
    // A line end would split the table's row; the page breaks the cell's line at a "<br>".
    if (inCell)
        gathering().inlines->appendMarkup("<br>");
    else
        gathering().inlines->appendLineEnd(true);
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
                const auto* next = nextText();
                if (!next) {
                    printText(text->string, &node, first, index);
                    continue;
                }
                std::string joined = text->string;
                for (; next; next = nextText()) {
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
    if (gathering().inlines)
        return false;
    gathering().inlines.emplace(std::exchange(spareInlines, {}));
    return true;
}

void MarkupFormatter::closeInlines(bool opened) {
    if (!opened)
        return;
    InlineText text = std::move(*gathering().inlines);
    gathering().inlines.reset();
    printInlines(std::move(text), !inCell, false);
}

} // namespace markdown
