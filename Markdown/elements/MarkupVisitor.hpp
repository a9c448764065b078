#pragma once

#include "Markdown/elements/ElementDispatch.hpp"
#include "Markdown/support/StackSpace.hpp"

namespace markdown {

/// Code that processes a tree by kind: one entry per element type, reached by double dispatch
/// (`visit`, or an element's `accept`). Every entry hands its element to `defaultVisit` unless
/// overridden; mark overrides `override` so that a misspelt one does not compile.
/// Where the stack runs low, a walk goes on in a new thread while the caller waits, so on deep
/// trees an entry may run off the caller's thread: keep thread-bound state out of entries.
template <class R> class MarkupVisitor {
public:
    using Result = R;

    MarkupVisitor() = default;
    MarkupVisitor(const MarkupVisitor&) = default;
    MarkupVisitor& operator=(const MarkupVisitor&) = default;
    virtual ~MarkupVisitor() = default;

    /// What every entry that is not overridden does.
    virtual Result defaultVisit(const Markup& markup) = 0;
    /// Calls the element's own entry.
    virtual Result visit(const Markup& markup) {
        return withStackSpace([&]() -> Result { return markup.accept(*this); });
    }

    virtual Result visitBlockQuote(const BlockQuote& blockQuote) {
        return defaultVisit(blockQuote);
    }
    virtual Result visitCodeBlock(const CodeBlock& codeBlock) { return defaultVisit(codeBlock); }
    virtual Result visitCustomBlock(const CustomBlock& customBlock) {
        return defaultVisit(customBlock);
    }
    virtual Result visitDocument(const Document& document) { return defaultVisit(document); }
    virtual Result visitHeading(const Heading& heading) { return defaultVisit(heading); }
    virtual Result visitThematicBreak(const ThematicBreak& thematicBreak) {
        return defaultVisit(thematicBreak);
    }
    virtual Result visitHTMLBlock(const HTMLBlock& htmlBlock) { return defaultVisit(htmlBlock); }
    virtual Result visitListItem(const ListItem& listItem) { return defaultVisit(listItem); }
    virtual Result visitOrderedList(const OrderedList& orderedList) {
        return defaultVisit(orderedList);
    }
    virtual Result visitUnorderedList(const UnorderedList& unorderedList) {
        return defaultVisit(unorderedList);
    }
    virtual Result visitParagraph(const Paragraph& paragraph) { return defaultVisit(paragraph); }
    virtual Result visitBlockDirective(const BlockDirective& blockDirective) {
        return defaultVisit(blockDirective);
    }
    virtual Result visitInlineCode(const InlineCode& inlineCode) {
        return defaultVisit(inlineCode);
    }
    virtual Result visitCustomInline(const CustomInline& customInline) {
        return defaultVisit(customInline);
    }
    virtual Result visitEmphasis(const Emphasis& emphasis) { return defaultVisit(emphasis); }
    virtual Result visitImage(const Image& image) { return defaultVisit(image); }
    virtual Result visitInlineHTML(const InlineHTML& inlineHTML) {
        return defaultVisit(inlineHTML);
    }
    virtual Result visitLineBreak(const LineBreak& lineBreak) { return defaultVisit(lineBreak); }
    virtual Result visitLink(const Link& link) { return defaultVisit(link); }
    virtual Result visitSoftBreak(const SoftBreak& softBreak) { return defaultVisit(softBreak); }
    virtual Result visitStrong(const Strong& strong) { return defaultVisit(strong); }
    virtual Result visitText(const Text& text) { return defaultVisit(text); }
    virtual Result visitStrikethrough(const Strikethrough& strikethrough) {
        return defaultVisit(strikethrough);
    }
    virtual Result visitTable(const Table& table) { return defaultVisit(table); }
    virtual Result visitTableHead(const Table::Head& head) { return defaultVisit(head); }
    virtual Result visitTableBody(const Table::Body& body) { return defaultVisit(body); }
    virtual Result visitTableRow(const Table::Row& row) { return defaultVisit(row); }
    virtual Result visitTableCell(const Table::Cell& cell) { return defaultVisit(cell); }
    virtual Result visitSymbolLink(const SymbolLink& symbolLink) {
        return defaultVisit(symbolLink);
    }
    virtual Result visitInlineAttributes(const InlineAttributes& inlineAttributes) {
        return defaultVisit(inlineAttributes);
    }
    virtual Result visitDoxygenDiscussion(const DoxygenDiscussion& doxygenDiscussion) {
        return defaultVisit(doxygenDiscussion);
    }
    virtual Result visitDoxygenNote(const DoxygenNote& doxygenNote) {
        return defaultVisit(doxygenNote);
    }
    virtual Result visitDoxygenAbstract(const DoxygenAbstract& doxygenAbstract) {
        return defaultVisit(doxygenAbstract);
    }
    virtual Result visitDoxygenParameter(const DoxygenParameter& doxygenParameter) {
        return defaultVisit(doxygenParameter);
    }
    virtual Result visitDoxygenReturns(const DoxygenReturns& doxygenReturns) {
        return defaultVisit(doxygenReturns);
    }
};

template <class Result> Result Markup::accept(MarkupVisitor<Result>& visitor) const {
    return dispatchOnKind(*this,
                          [&](const auto& element) -> Result { return element.accept(visitor); });
}

} // namespace markdown
