#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace markdown {

/// The kinds of node in the parser's tree, named by their type strings ("document",
/// "block_quote", ..., "tasklist") and kept in the order of the converter's table.
enum class ParserNodeKind : std::uint8_t {
    document,
    blockQuote,
    list,
    item,
    codeBlock,
    htmlBlock,
    customBlock,
    paragraph,
    heading,
    thematicBreak,
    text,
    softBreak,
    lineBreak,
    code,
    htmlInline,
    customInline,
    emph,
    strong,
    link,
    image,
    attribute,
    none,
    unknown,
    strikethrough,
    table,
    tableHeader,
    tableRow,
    tableCell,
    tasklist,
};

/// The kind with that type string; none for a type string outside the table.
[[nodiscard]] std::optional<ParserNodeKind> parserNodeKind(std::string_view typeString);
/// The kind's type string, for example "table_header"; "NONE" for `none`, "<unknown>" for
/// `unknown`.
[[nodiscard]] std::string_view typeString(ParserNodeKind kind);
/// Kinds that hold no children: the parser walks them with an enter event only.
[[nodiscard]] bool isLeaf(ParserNodeKind kind);

} // namespace markdown
