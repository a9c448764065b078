#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace markdown {

/// The 35 kinds of raw node, one per element type. The kinds with a payload come first.
enum class RawMarkupKind : std::uint8_t {
    codeBlock,
    heading,
    htmlBlock,
    listItem,
    orderedList,
    blockDirective,
    inlineCode,
    customInline,
    image,
    inlineHTML,
    link,
    text,
    symbolLink,
    inlineAttributes,
    table,
    tableCell,
    doxygenParam,
    blockQuote,
    customBlock,
    document,
    thematicBreak,
    unorderedList,
    paragraph,
    emphasis,
    lineBreak,
    softBreak,
    strong,
    strikethrough,
    tableHead,
    tableBody,
    tableRow,
    doxygenDiscussion,
    doxygenNote,
    doxygenAbstract,
    doxygenReturns,
};

inline constexpr std::size_t rawMarkupKindCount = 35;

/// The kind's case name, for example "codeBlock".
[[nodiscard]] std::string_view caseName(RawMarkupKind kind);

} // namespace markdown
