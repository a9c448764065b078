#include "Markdown/cmark/CMarkNode.hpp"

#include "Markdown/cmark/AttributeExtension.hpp"
#include "Markdown/cmark/CMarkAnnotations.hpp"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm.h>
#include <cmark-gfm/node.h>

namespace markdown {
namespace {

// A text of the node read in place, as far as the C string the library would make of it
// reaches: the library's accessor first copies a text that is not yet a C string, into the
// tree's memory.
std::string_view cString(const cmark_chunk& chunk) {
    if (chunk.len <= 0)
        return {};
    const std::string_view text(reinterpret_cast<const char*>(chunk.data),
                                static_cast<std::size_t>(chunk.len));
    return text.substr(0, text.find('\0'));
}

} // namespace

std::string_view CMarkNode::typeString() const {
    return node == nullptr ? "NONE" : cmark_node_get_type_string(node);
}

CMarkPosition CMarkNode::position() const {
    if (node == nullptr)
        return {};
    return {node->start_line, node->start_column, node->end_line, node->end_column};
}

std::optional<std::string_view> CMarkNode::literal() const {
    // Read in place: the library's accessor would first copy a text that is not yet a C string.
    if (node == nullptr)
        return std::nullopt;
    const cmark_chunk* chunk = nullptr;
    switch (node->type) {
    case CMARK_NODE_HTML_BLOCK:
    case CMARK_NODE_TEXT:
    case CMARK_NODE_HTML_INLINE:
    case CMARK_NODE_CODE:
    case CMARK_NODE_FOOTNOTE_REFERENCE:
    case CMARK_NODE_FOOTNOTE_DEFINITION:
        chunk = &node->as.literal;
        break;
    case CMARK_NODE_CODE_BLOCK:
        chunk = &node->as.code.literal;
        break;
    default:
        return std::nullopt;
    }
    if (chunk->len == 0)
        return std::string_view();
    return std::string_view(reinterpret_cast<const char*>(chunk->data),
                            static_cast<std::size_t>(chunk->len));
}

int CMarkNode::headingLevel() const {
    return node == nullptr ? 0 : cmark_node_get_heading_level(node);
}

CMarkListType CMarkNode::listType() const {
    switch (node == nullptr ? CMARK_NO_LIST : cmark_node_get_list_type(node)) {
    case CMARK_BULLET_LIST:
        return CMarkListType::bullet;
    case CMARK_ORDERED_LIST:
        return CMarkListType::ordered;
    default:
        return CMarkListType::none;
    }
}

int CMarkNode::listStart() const {
    return node == nullptr ? 0 : cmark_node_get_list_start(node);
}

std::optional<std::string_view> CMarkNode::fenceInfo() const {
    if (node == nullptr || node->type != CMARK_NODE_CODE_BLOCK)
        return std::nullopt;
    return cString(node->as.code.info);
}

std::optional<std::string_view> CMarkNode::url() const {
    if (node == nullptr || (node->type != CMARK_NODE_LINK && node->type != CMARK_NODE_IMAGE))
        return std::nullopt;
    return cString(node->as.link.url);
}

std::optional<std::string_view> CMarkNode::title() const {
    if (node == nullptr || (node->type != CMARK_NODE_LINK && node->type != CMARK_NODE_IMAGE))
        return std::nullopt;
    return cString(node->as.link.title);
}

bool CMarkNode::isTaskChecked() const {
    return node != nullptr && cmark_gfm_extensions_get_tasklist_item_checked(node);
}

std::optional<std::string_view> CMarkNode::attributes() const {
    return attributeText(node);
}

unsigned CMarkNode::backtickCount() const {
    if (node == nullptr || node->type != CMARK_NODE_CODE)
        return 0;
    return recordedBacktickCount(node);
}

std::uint16_t CMarkNode::tableColumns() const {
    return node == nullptr ? 0 : cmark_gfm_extensions_get_table_columns(node);
}

std::span<const std::uint8_t> CMarkNode::tableAlignments() const {
    const std::uint8_t* bytes =
        node == nullptr ? nullptr : cmark_gfm_extensions_get_table_alignments(node);
    if (bytes == nullptr)
        return {};
    return {bytes, tableColumns()};
}

std::uint32_t CMarkNode::colspan() const {
    return typeString() == "table_cell" ? recordedTableCellSpan(node).colspan : 1;
}

std::uint32_t CMarkNode::rowspan() const {
    return typeString() == "table_cell" ? recordedTableCellSpan(node).rowspan : 1;
}

CMarkNode CMarkNode::parent() const {
    return CMarkNode(node == nullptr ? nullptr : cmark_node_parent(node));
}

CMarkNode CMarkNode::firstChild() const {
    return CMarkNode(node == nullptr ? nullptr : cmark_node_first_child(node));
}

CMarkNode CMarkNode::next() const {
    return CMarkNode(node == nullptr ? nullptr : cmark_node_next(node));
}

} // namespace markdown
