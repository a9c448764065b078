#include "Markdown/cmark/AttributeExtension.hpp"

#include "Markdown/cmark/BracketPairs.hpp"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>

#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>
#include <cmark-gfm/chunk.h>
#include <cmark-gfm/inlines.h>
#include <cmark-gfm/node.h>
#include <cmark-gfm/parser.h>
#include <cmark-gfm/syntax_extension.h>

namespace markdown {

struct AttributeScanMemo::ScannedTexts {
    struct Entry {
        std::size_t length;
        BracketPairs pairs;
    };
    std::unordered_map<const char*, Entry> byStart;
};

namespace {

// Set once while the extension registers, before any parser can use it.
std::atomic<int> attributeNodeType{CMARK_NODE_NONE};

// The memo of the parse running on this thread, if any.
thread_local AttributeScanMemo::ScannedTexts* activeMemo = nullptr;

// How many attribute texts this thread is parsing inside each other. A node being parsed is not
// yet in the tree, so its ancestors cannot tell.
thread_local int nestingDepth = 0;

class NestedParse {
public:
    NestedParse() { ++nestingDepth; }
    ~NestedParse() { --nestingDepth; }
    NestedParse(const NestedParse&) = delete;
    NestedParse& operator=(const NestedParse&) = delete;
};

struct AttributeSpan {
    std::size_t textBegin;
    std::size_t textEnd;
    std::size_t attributesBegin;
    std::size_t attributesEnd;
    std::size_t end; // just after the closing parenthesis
};

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// The position of the parenthesis that ends the attributes starting at `from`.
std::optional<std::size_t> closingParenthesis(std::string_view input, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < input.size(); ++i) {
        const char c = input[i];
        if (isLineEnd(c))
            return std::nullopt;
        if (c == '\\' && i + 1 < input.size() && !isLineEnd(input[i + 1]))
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '(')
            return std::nullopt;
        else if (!quoted && c == ')')
            return i;
    }
    return std::nullopt;
}

std::optional<AttributeSpan> scanAttributeSpan(std::string_view input, std::size_t caret,
                                               const BracketPairs& pairs) {
    const auto textEnd = pairs.closing(caret + 1);
    if (!textEnd || *textEnd + 1 >= input.size() || input[*textEnd + 1] != '(')
        return std::nullopt;
    const std::size_t attributesBegin = *textEnd + 2;
    const auto attributesEnd = closingParenthesis(input, attributesBegin);
    if (!attributesEnd)
        return std::nullopt;
    return AttributeSpan{caret + 2, *textEnd, attributesBegin, *attributesEnd, *attributesEnd + 1};
}

std::optional<AttributeSpan> scanAttributeSpan(std::string_view input, std::size_t caret) {
    if (caret + 1 >= input.size() || input[caret + 1] != '[')
        return std::nullopt;
    if (activeMemo == nullptr)
        return scanAttributeSpan(input, caret, BracketPairs(input));
    auto entry = activeMemo->byStart.find(input.data());
    if (entry == activeMemo->byStart.end() || entry->second.length != input.size())
        entry = activeMemo->byStart
                    .insert_or_assign(
                        input.data(),
                        AttributeScanMemo::ScannedTexts::Entry{input.size(), BracketPairs(input)})
                    .first;
    return scanAttributeSpan(input, caret, entry->second.pairs);
}

bool isAttributeNode(cmark_node* node) {
    return node != nullptr && cmark_node_get_type(node) == attributeNodeType.load();
}

void storeAttributes(cmark_node* node, std::string_view text) {
    cmark_mem* mem = cmark_node_mem(node);
    auto* copy = static_cast<char*>(mem->calloc(text.size() + 1, 1));
    std::memcpy(copy, text.data(), text.size());
    node->as.opaque = copy;
}

void freeAttributes(cmark_syntax_extension*, cmark_mem* mem, cmark_node* node) {
    mem->free(node->as.opaque);
    node->as.opaque = nullptr;
}

cmark_node* matchAttributeSpan(cmark_syntax_extension* extension, cmark_parser* parser, cmark_node*,
                               unsigned char character, cmark_inline_parser* inlineParser) {
    if (character != '^' || nestingDepth >= attributeNestingLimit)
        return nullptr;
    const cmark_chunk* chunk = cmark_inline_parser_get_chunk(inlineParser);
    const std::string_view input(reinterpret_cast<const char*>(chunk->data),
                                 static_cast<std::size_t>(chunk->len));
    const auto caret = static_cast<std::size_t>(cmark_inline_parser_get_offset(inlineParser));
    const auto span = scanAttributeSpan(input, caret);
    if (!span)
        return nullptr;

    cmark_node* node = cmark_node_new_with_mem_and_ext(
        static_cast<cmark_node_type>(attributeNodeType.load()), parser->mem, extension);
    node->start_line = node->end_line = cmark_inline_parser_get_line(inlineParser);
    node->start_column = cmark_inline_parser_get_column(inlineParser);
    node->end_column = node->start_column + static_cast<int>(span->end - caret) - 1;
    storeAttributes(
        node, input.substr(span->attributesBegin, span->attributesEnd - span->attributesBegin));

    // The text is parsed as the node's own inline content, the way the parser treats a block:
    // the node's position plus its internal offset place the text's first byte, so the
    // children get their true columns and code spans can be found again in the node's content.
    const std::string text(input.substr(span->textBegin, span->textEnd - span->textBegin));
    cmark_node_set_string_content(node, text.c_str());
    node->internal_offset = static_cast<int>(span->textBegin - caret);
    {
        const NestedParse nested;
        cmark_parse_inlines(parser, node, parser->refmap, parser->options);
    }

    cmark_inline_parser_set_offset(inlineParser, static_cast<int>(span->end));
    return node;
}

const char* attributeTypeString(cmark_syntax_extension*, cmark_node*) {
    return attributeExtensionName.data();
}

int canContain(cmark_syntax_extension*, cmark_node*, cmark_node_type childType) {
    return (childType & CMARK_NODE_TYPE_MASK) == CMARK_NODE_TYPE_INLINE;
}

// What the table extension lets a table cell hold: a fixed list of the inline kinds it knows.
cmark_can_contain_func tableCanContain = nullptr;

int tableOrAttributeCanContain(cmark_syntax_extension* extension, cmark_node* node,
                               cmark_node_type childType) {
    if (childType == attributeNodeType.load() &&
        std::string_view(cmark_node_get_type_string(node)) == "table_cell")
        return 1;
    return tableCanContain(extension, node, childType);
}

} // namespace

int registerAttributeExtension(cmark_plugin* plugin) {
    cmark_syntax_extension* extension =
        cmark_syntax_extension_new(std::string(attributeExtensionName).c_str());
    attributeNodeType = cmark_syntax_extension_add_node(1);
    cmark_syntax_extension_set_get_type_string_func(extension, attributeTypeString);
    cmark_syntax_extension_set_can_contain_func(extension, canContain);
    cmark_syntax_extension_set_match_inline_func(extension, matchAttributeSpan);
    cmark_syntax_extension_set_opaque_free_func(extension, freeAttributes);
    cmark_llist* specialCharacters =
        cmark_llist_append(cmark_get_default_mem_allocator(), nullptr,
                           reinterpret_cast<void*>(static_cast<std::uintptr_t>('^')));
    cmark_syntax_extension_set_special_inline_chars(extension, specialCharacters);
    cmark_plugin_register_syntax_extension(plugin, extension);
    return 1;
}

void allowAttributesInTableCells() {
    cmark_syntax_extension* table = cmark_find_syntax_extension("table");
    if (table == nullptr || tableCanContain != nullptr)
        return;
    tableCanContain = table->can_contain_func;
    cmark_syntax_extension_set_can_contain_func(table, tableOrAttributeCanContain);
}

std::optional<std::string_view> attributeText(cmark_node* node) {
    if (!isAttributeNode(node))
        return std::nullopt;
    return std::string_view(static_cast<const char*>(node->as.opaque));
}

AttributeScanMemo::AttributeScanMemo()
    : texts(std::make_unique<ScannedTexts>()), outer(activeMemo) {
    activeMemo = texts.get();
}

AttributeScanMemo::~AttributeScanMemo() {
    activeMemo = outer;
}

} // namespace markdown
