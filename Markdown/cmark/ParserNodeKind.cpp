#include "Markdown/cmark/ParserNodeKind.hpp"

#include <array>

namespace markdown {
namespace {

constexpr std::array<std::string_view, 29> typeStrings{
    "document",     "block_quote",  "list",        "item",           "code_block", "html_block",
    "custom_block", "paragraph",    "heading",     "thematic_break", "text",       "softbreak",
    "linebreak",    "code",         "html_inline", "custom_inline",  "emph",       "strong",
    "link",         "image",        "attribute",   "NONE",           "<unknown>",  "strikethrough",
    "table",        "table_header", "table_row",   "table_cell",     "tasklist",
};

} // namespace

std::optional<ParserNodeKind> parserNodeKind(std::string_view typeString) {
    for (std::size_t index = 0; index < typeStrings.size(); ++index) {
        if (typeStrings[index] == typeString)
            return static_cast<ParserNodeKind>(index);
    }
    return std::nullopt;
}

std::string_view typeString(ParserNodeKind kind) {
    return typeStrings[static_cast<std::size_t>(kind)];
}

bool isLeaf(ParserNodeKind kind) {
    switch (kind) {
    case ParserNodeKind::codeBlock:
    case ParserNodeKind::htmlBlock:
    case ParserNodeKind::thematicBreak:
    case ParserNodeKind::text:
    case ParserNodeKind::softBreak:
    case ParserNodeKind::lineBreak:
    case ParserNodeKind::code:
    case ParserNodeKind::htmlInline:
    case ParserNodeKind::customInline:
        return true;
    default:
        return false;
    }
}

} // namespace markdown
