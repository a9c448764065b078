#pragma once

#include "Markdown/elements/Elements.hpp"
#include "Markdown/support/Fatal.hpp"

namespace markdown {

/// Calls `f` with the element as a value of its own element type (`f` takes each type, for
/// example as `const auto&`, and returns one type for all): the one place where a raw kind
/// picks an element type, serving `accept` and anything else that works by kind.
template <class F> decltype(auto) dispatchOnKind(const Markup& markup, F&& f) {
    switch (markup.kind()) {
    case RawMarkupKind::codeBlock:
        return f(CodeBlock(ElementKey{}, markup.data()));
    case RawMarkupKind::heading:
        return f(Heading(ElementKey{}, markup.data()));
    case RawMarkupKind::htmlBlock:
        return f(HTMLBlock(ElementKey{}, markup.data()));
    case RawMarkupKind::listItem:
        return f(ListItem(ElementKey{}, markup.data()));
    case RawMarkupKind::orderedList:
        return f(OrderedList(ElementKey{}, markup.data()));
    case RawMarkupKind::blockDirective:
        return f(BlockDirective(ElementKey{}, markup.data()));
    case RawMarkupKind::inlineCode:
        return f(InlineCode(ElementKey{}, markup.data()));
    case RawMarkupKind::customInline:
        return f(CustomInline(ElementKey{}, markup.data()));
    case RawMarkupKind::image:
        return f(Image(ElementKey{}, markup.data()));
    case RawMarkupKind::inlineHTML:
        return f(InlineHTML(ElementKey{}, markup.data()));
    case RawMarkupKind::link:
        return f(Link(ElementKey{}, markup.data()));
    case RawMarkupKind::text:
        return f(Text(ElementKey{}, markup.data()));
    case RawMarkupKind::symbolLink:
        return f(SymbolLink(ElementKey{}, markup.data()));
    case RawMarkupKind::inlineAttributes:
        return f(InlineAttributes(ElementKey{}, markup.data()));
    case RawMarkupKind::table:
        return f(Table(ElementKey{}, markup.data()));
    case RawMarkupKind::tableCell:
        return f(Table::Cell(ElementKey{}, markup.data()));
    case RawMarkupKind::doxygenParam:
        return f(DoxygenParameter(ElementKey{}, markup.data()));
    case RawMarkupKind::blockQuote:
        return f(BlockQuote(ElementKey{}, markup.data()));
    case RawMarkupKind::customBlock:
        return f(CustomBlock(ElementKey{}, markup.data()));
    case RawMarkupKind::document:
        return f(Document(ElementKey{}, markup.data()));
    case RawMarkupKind::thematicBreak:
        return f(ThematicBreak(ElementKey{}, markup.data()));
    case RawMarkupKind::unorderedList:
        return f(UnorderedList(ElementKey{}, markup.data()));
    case RawMarkupKind::paragraph:
        return f(Paragraph(ElementKey{}, markup.data()));
    case RawMarkupKind::emphasis:
        return f(Emphasis(ElementKey{}, markup.data()));
    case RawMarkupKind::lineBreak:
        return f(LineBreak(ElementKey{}, markup.data()));
    case RawMarkupKind::softBreak:
        return f(SoftBreak(ElementKey{}, markup.data()));
    case RawMarkupKind::strong:
        return f(Strong(ElementKey{}, markup.data()));
    case RawMarkupKind::strikethrough:
        return f(Strikethrough(ElementKey{}, markup.data()));
    case RawMarkupKind::tableHead:
        return f(Table::Head(ElementKey{}, markup.data()));
    case RawMarkupKind::tableBody:
        return f(Table::Body(ElementKey{}, markup.data()));
    case RawMarkupKind::tableRow:
        return f(Table::Row(ElementKey{}, markup.data()));
    case RawMarkupKind::doxygenDiscussion:
        return f(DoxygenDiscussion(ElementKey{}, markup.data()));
    case RawMarkupKind::doxygenNote:
        return f(DoxygenNote(ElementKey{}, markup.data()));
    case RawMarkupKind::doxygenAbstract:
        return f(DoxygenAbstract(ElementKey{}, markup.data()));
    case RawMarkupKind::doxygenReturns:
        return f(DoxygenReturns(ElementKey{}, markup.data()));
    }
    fatal("unknown raw markup kind");
}

} // namespace markdown
