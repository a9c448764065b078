#pragma once

#include "Markdown/tree/RawMarkupKind.hpp"

#include <cstdint>

namespace markdown {

/// The element interfaces; each kind of element has a fixed set of them.
enum class MarkupInterface : std::uint16_t {
    blockMarkup = 1 << 0,
    inlineMarkup = 1 << 1,
    recurringInlineMarkup = 1 << 2,
    plainTextConvertibleMarkup = 1 << 3,
    blockContainer = 1 << 4,
    inlineContainer = 1 << 5,
    basicBlockContainer = 1 << 6,
    basicInlineContainer = 1 << 7,
    listItemContainer = 1 << 8,
    literalMarkup = 1 << 9,
    tableCellContainer = 1 << 10,
};

/// The interfaces of the element type of a kind, as a bit set of MarkupInterface values.
constexpr std::uint16_t interfacesOf(RawMarkupKind kind) {
    using enum MarkupInterface;
    using K = RawMarkupKind;
    auto set = [](auto... interfaces) {
        return static_cast<std::uint16_t>((static_cast<std::uint16_t>(interfaces) | ... | 0));
    };
    switch (kind) {
    case K::codeBlock:
    case K::table:
    case K::thematicBreak:
        return set(blockMarkup);
    case K::heading:
        return set(blockMarkup, inlineContainer, plainTextConvertibleMarkup);
    case K::htmlBlock:
        return set(blockMarkup, literalMarkup);
    case K::listItem:
    case K::blockDirective:
    case K::doxygenParam:
    case K::doxygenDiscussion:
    case K::doxygenNote:
    case K::doxygenAbstract:
    case K::doxygenReturns:
        return set(blockMarkup, blockContainer);
    case K::blockQuote:
    case K::customBlock:
    case K::document:
        return set(blockMarkup, blockContainer, basicBlockContainer);
    case K::orderedList:
    case K::unorderedList:
        return set(blockMarkup, listItemContainer);
    case K::paragraph:
        return set(blockMarkup, inlineContainer, basicInlineContainer, plainTextConvertibleMarkup);
    case K::inlineCode:
    case K::customInline:
    case K::lineBreak:
    case K::softBreak:
        return set(inlineMarkup, recurringInlineMarkup, plainTextConvertibleMarkup);
    case K::inlineHTML:
    case K::text:
        return set(inlineMarkup, recurringInlineMarkup, literalMarkup, plainTextConvertibleMarkup);
    case K::image:
    case K::link:
    case K::inlineAttributes:
        return set(inlineMarkup, inlineContainer, plainTextConvertibleMarkup);
    case K::symbolLink:
        return set(inlineMarkup, plainTextConvertibleMarkup);
    case K::emphasis:
    case K::strong:
    case K::strikethrough:
        return set(inlineMarkup, recurringInlineMarkup, inlineContainer, basicInlineContainer,
                   plainTextConvertibleMarkup);
    case K::tableCell:
        return set(inlineContainer, basicInlineContainer, plainTextConvertibleMarkup);
    case K::tableHead:
    case K::tableRow:
        return set(tableCellContainer);
    case K::tableBody:
        return 0;
    }
    return 0;
}

constexpr bool hasInterface(RawMarkupKind kind, MarkupInterface interface) {
    return (interfacesOf(kind) & static_cast<std::uint16_t>(interface)) != 0;
}

} // namespace markdown
