#pragma once

#include "Markdown/elements/MarkupWalker.hpp"
#include "Markdown/format/BlockJoining.hpp"
#include "Markdown/format/DirectiveContext.hpp"
#include "Markdown/format/InlineGathering.hpp"
#include "Markdown/format/InlineReading.hpp"
#include "Markdown/format/InlineSearch.hpp"
#include "Markdown/format/InlineText.hpp"
#include "Markdown/format/InlineVariant.hpp"
#include "Markdown/format/LinePrefixes.hpp"
#include "Markdown/format/PendingLineLengths.hpp"
#include "Markdown/format/RoadPlan.hpp"
#include "Markdown/format/RoadReading.hpp"
#include "Markdown/tree/MarkupChildren.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace markdown {

/// Prints a tree back as Markdown text, appending to `result` as it walks: text parsed again
/// with the same options gives a tree of the same structure. Text is escaped only where a
/// character would open something; every line of a block gets the prefixes of the quotes and
/// list items around it. `CustomBlock` and `CustomInline` stop the program with "Formatter not
/// implemented for " and the element's type name; a table's head, body, rows and cells print
/// only as part of their table.
class MarkupFormatter : public MarkupWalker {
public:
    struct Options {
        /// What a long line is broken with.
        enum class LineSplittingElement { softBreak, hardBreak };
        struct PreferredLineLimit {
            LineSplittingElement lineSplittingElement = LineSplittingElement::softBreak;
            std::int64_t maxLength = 0;
        };
        /// When present, the source's soft breaks are not kept and paragraph text is wrapped
        /// at spaces, so that no line is longer than `maxLength` characters where a space
        /// allows a break that keeps the tree (none inside code spans, link destinations or
        /// before what would open a block at a line's start).
        std::optional<PreferredLineLimit> preferredLineLimit;
    };

    /// Where printing stands. Lengths count characters (grapheme clusters).
    struct State {
        /// The length of the line being printed.
        std::int64_t currentLength = 0;
        /// Line ends owed before the next printed text.
        std::int64_t queuedNewlines = 0;
        /// Line ends printed in a row at the end of `result`.
        std::int64_t newlineStreak = 0;
        /// The length of the last line ended.
        std::int64_t lastLineLength = 0;
        /// Line ends printed so far.
        std::int64_t lineNumber = 0;
    };

    explicit MarkupFormatter(Options formattingOptions) : options(formattingOptions) {}

    [[nodiscard]] const Options& formattingOptions() const { return options; }
    /// The Markdown text printed so far.
    [[nodiscard]] const std::string& result() const& { return printed; }
    /// The printed text taken out of a formatter that is done, without a copy.
    [[nodiscard]] std::string result() && { return std::move(printed); }
    [[nodiscard]] const State& state() const;

    void defaultVisit(const Markup& markup) override;
    void visitDocument(const Document& document) override;
    void visitBlockQuote(const BlockQuote& blockQuote) override;
    void visitCodeBlock(const CodeBlock& codeBlock) override;
    void visitHeading(const Heading& heading) override;
    void visitThematicBreak(const ThematicBreak& thematicBreak) override;
    void visitHTMLBlock(const HTMLBlock& htmlBlock) override;
    void visitListItem(const ListItem& listItem) override;
    void visitOrderedList(const OrderedList& orderedList) override;
    void visitUnorderedList(const UnorderedList& unorderedList) override;
    void visitParagraph(const Paragraph& paragraph) override;
    void visitBlockDirective(const BlockDirective& blockDirective) override;
    void visitDoxygenDiscussion(const DoxygenDiscussion& doxygenDiscussion) override;
    void visitDoxygenNote(const DoxygenNote& doxygenNote) override;
    void visitDoxygenAbstract(const DoxygenAbstract& doxygenAbstract) override;
    void visitDoxygenParameter(const DoxygenParameter& doxygenParameter) override;
    void visitDoxygenReturns(const DoxygenReturns& doxygenReturns) override;
    void visitInlineCode(const InlineCode& inlineCode) override;
    void visitEmphasis(const Emphasis& emphasis) override;
    void visitStrong(const Strong& strong) override;
    void visitStrikethrough(const Strikethrough& strikethrough) override;
    void visitImage(const Image& image) override;
    void visitLink(const Link& link) override;
    void visitSymbolLink(const SymbolLink& symbolLink) override;
    void visitInlineHTML(const InlineHTML& inlineHTML) override;
    void visitInlineAttributes(const InlineAttributes& inlineAttributes) override;
    void visitText(const Text& text) override;
    void visitSoftBreak(const SoftBreak& softBreak) override;
    void visitLineBreak(const LineBreak& lineBreak) override;
    void visitTable(const Table& table) override;
    void visitTableHead(const Table::Head& head) override;
    void visitTableBody(const Table::Body& body) override;
    void visitTableRow(const Table::Row& row) override;
    void visitTableCell(const Table::Cell& cell) override;

private:
    // Printing: MarkupFormatter.cpp.
    /// Prints the queued line ends, then the text, each line after its prefixes; empty text
    /// prints nothing.
    void print(std::string_view text);
    void write(std::string_view text);
    void writeLineEnd();
    void printQueuedNewlines();
    /// Prints the prefixes of a line that holds nothing else (an empty quote or list item).
    void printBareLine();
    void addToLine(std::string_view text);
    void queueNewlines(std::int64_t count);
    /// A block after printed text starts after a blank line (a line end in a tight run).
    void startBlock();
    /// A container's start places its first block too.
    void startContainer();
    /// Lays out and prints the text, whose buffers the next run of inlines then reuses. A
    /// paragraph's text may be gathered again with a code span over two lines.
    void printInlines(InlineText text, bool linesStartBlocks, bool wrap,
                      const Markup* paragraph = nullptr);
    /// Lays the text out into `laidOut` without its final line ends, which it counts.
    std::int64_t layOutInlines(InlineText& text, const InlineText::Layout& layout,
                               std::string& laidOut) const;
    /// Keeps the buffers of a text that is done with for the next run of inlines.
    void recycle(InlineText text);

    // Blocks: MarkupFormatterBlocks.cpp.
    /// The blocks of a container; adjacent lists of one kind get different markers.
    void printBlocks(const Markup& container);
    /// Prints the list's items with `marker`, the bullet or the delimiter after the number.
    void printList(const Markup& list, char marker);
    /// A code block's code without its last line end, its opening line and its closing fence.
    struct CodeFences {
        std::string_view code;
        std::string opening;
        std::string fence;
    };
    [[nodiscard]] static CodeFences codeFences(const CodeBlock& codeBlock);

    // The road's fence toggle: MarkupFormatterRoad.cpp.
    /// How a code block is laid out, the block-directive road's fence toggle set after it: fenced;
    /// fenced on the line after a bare list marker; fenced after a byte order mark, where the
    /// text the parser reads as one opens; indented; or with no closing fence, where its lines
    /// end that text.
    enum class CodeLayout {
        fenced,
        fencedBelowMarker,
        fencedAfterMark,
        fencedIndented,
        indented,
        unclosed,
        unclosedBelowMarker,
        unclosedIndented
    };
    /// A layout and how the road reads it; `fenceIndent` holds the spaces before an indented
    /// fence.
    struct CodeCandidate {
        CodeLayout layout = CodeLayout::fenced;
        RoadReading reading;
        std::size_t fenceIndent = 0;
    };
    /// The layouts that find the code where CommonMark does, in the order they are preferred,
    /// read from the toggle `inCode`, its first line after `first`; `done` stops the list at
    /// the first that it accepts. Only code that opens its text (`opensText`) may open with a
    /// byte order mark, which comes last.
    [[nodiscard]] std::vector<CodeCandidate>
    codeCandidates(const CodeBlock& codeBlock, std::string_view code, const std::string& opening,
                   const std::string& fence, bool inCode, const std::string& first,
                   bool afterIndented, bool opensText,
                   const std::function<bool(const RoadReading&)>& done) const;
    [[nodiscard]] CodeLayout codeLayout(const CodeBlock& codeBlock, std::string_view code,
                                        const std::string& opening, const std::string& fence);
    /// Plans the toggle states the blocks of the container may start in (`road.entries`).
    void findRoadEntries(const Markup& container);
    /// The index in the list from which on no item can flip the toggle, found once a list.
    [[nodiscard]] std::int64_t itemsCarryingToggleFrom(const RawMarkup& list);
    /// Whether the code or HTML block, laid out as it may be after `inCode`, can leave the
    /// toggle in one of the `wanted` states with its lines read back; `first` is its first
    /// line's prefix.
    [[nodiscard]] bool roadReaches(const Markup& block, bool inCode, std::uint8_t wanted,
                                   const std::string& first, bool afterCode, bool opensText) const;

    // Directives and Doxygen commands: MarkupFormatterDirectives.cpp.
    void printDoxygen(const std::string& opening, const Markup& command);

    // Inlines and the choice of delimiters: MarkupFormatterInlines.cpp.
    /// Inline elements are gathered into `gathering().inlines` and laid out on lines once their
    /// block is complete; an inline element printed on its own is laid out when its visit ends.
    bool openInlines();
    void closeInlines(bool opened);
    /// The children of an element with inline content, into the open inlines. Texts, most of
    /// what a block holds, are printed from their raw nodes: an element value for each would
    /// cost more than printing it.
    void descendIntoInlines(const Markup& container);
    /// Prints the text of the children `first` to `last` of `parent`.
    void printText(std::string_view text, const RawMarkup* parent, std::int64_t first,
                   std::int64_t last);
    [[nodiscard]] InlineText::TextContext textContext(const RawMarkup* parent, std::int64_t first,
                                                      std::int64_t last) const;
    /// Prints the opening and the children of a span; true when it opened the inline run.
    bool printSpanOpening(const Markup& span, std::string_view opening);
    void printDestinationAndTitle(const std::optional<std::string>& destination,
                                  const std::optional<std::string>& title);
    /// Emphasis (a run of one) or strong emphasis (two) with the delimiter character that keeps
    /// its runs apart from those around it.
    void printDelimited(const Markup& markup, std::size_t runLength);

    // The search for a reading: MarkupFormatterSearch.cpp.
    /// The container's inline children printed so that they read back as they are, where a
    /// bounded search over the printer's choices finds a way; else as first guessed.
    /// `codeSpans` gets the number of code spans printed.
    [[nodiscard]] InlineText gatherInlines(const Markup& container,
                                           std::size_t* codeSpans = nullptr);
    /// The container's inline children printed with `choices`, with a gathering of their own
    /// that `run` gets once they are printed.
    [[nodiscard]] InlineText gatherInlinesAs(const Markup& container, const InlineVariant& choices,
                                             InlineGathering& run);
    /// A text tried in a search: printed with some choices, how it reads back, and whether the
    /// search read it before.
    struct InlineTry {
        InlineText text;
        InlineReading reading;
        bool seen = false;
    };
    /// The text printed with `choices`; none once the search's budget is spent.
    [[nodiscard]] std::optional<InlineTry>
    tryInlines(const Markup& container, const InlineVariant& choices, InlineSearch& search);
    /// The first text that reads back among `base` and the steps taken on top of it, within a
    /// number of tries that shrinks as the run's `size` grows; texts read already are skipped.
    [[nodiscard]] std::optional<InlineText> searchInlines(const Markup& container,
                                                          const std::vector<InlineVariant>& steps,
                                                          const InlineVariant& base,
                                                          std::size_t size, InlineSearch& search);
    /// The first text that reads back as each of `spans` spans in turn takes the character and
    /// joined literals that read back furthest, and then each of `strikethroughs` its length,
    /// on top of `base`.
    [[nodiscard]] std::optional<InlineText>
    settleSpans(const Markup& container, const InlineVariant& base, std::size_t spans,
                std::size_t strikethroughs, InlineSearch& search);
    /// The same with the spans under each child of the container choosing together.
    [[nodiscard]] std::optional<InlineText>
    settleGroups(const Markup& container, const InlineVariant& base, InlineSearch& search);
    /// The first text that reads back as each slot in turn takes the one of its choices (each a
    /// list of changes) that reads back furthest, twice over where there are several.
    [[nodiscard]] std::optional<InlineText>
    settle(const Markup& container, const InlineVariant& base,
           const std::vector<std::vector<std::vector<InlineVariant::Change>>>& slots,
           InlineSearch& search);
    [[nodiscard]] static InlineReading readsBack(const InlineText& text,
                                                 const RawMarkup& container);

    // Tables: MarkupFormatterTables.cpp.
    [[nodiscard]] std::string cellText(const Table::Cell& cell);

    Options options;
    std::string printed;
    /// The line lengths in it count only what `pendingLengths` has handed over.
    mutable State current;
    mutable PendingLineLengths pendingLengths;
    LinePrefixes prefixes;
    bool lineOpen = false;
    /// Whether what is printed next opens the text that the parser reads as one (a document or,
    /// on the directive road, a run of lines between directives).
    bool runStart = true;
    /// The buffers of the last inlines printed and laid out, kept for the next run: every
    /// block has one.
    InlineText spareInlines;
    std::string laidOutText;

    BlockJoining blocks;
    RoadPlan road;
    DirectiveContext directive;
    /// The inline run being printed: that of the printing being tried, else `ownRun`, where an
    /// inline element is printed on its own.
    [[nodiscard]] InlineGathering& gathering() { return tried ? *tried : ownRun; }
    [[nodiscard]] const InlineGathering& gathering() const { return tried ? *tried : ownRun; }
    InlineGathering ownRun;
    InlineGathering* tried = nullptr;
    /// The code span to print with a run of three backticks or more, on one line or over two,
    /// its closing run opening the second, so that the road's fence toggle flips where the run
    /// opens a line.
    struct CodeSpanSplit {
        std::optional<std::size_t> span;
        bool overTwoLines = false;
    };
    CodeSpanSplit codeSpanSplit;
    /// The run whose search last found a text that reads back, and the choices it was printed
    /// with.
    std::optional<std::pair<const RawMarkup*, InlineVariant>> foundChoices;
    /// Whether a table cell is being printed, alone on its row's line.
    bool inCell = false;
};

/// The element printed as Markdown by a new `MarkupFormatter`. With a preferred line limit the
/// soft breaks are first turned into spaces, and a lone soft break prints as nothing.
[[nodiscard]] std::string format(const Markup& markup, const MarkupFormatter::Options& options);

} // namespace markdown
