#pragma once

#include <string_view>

#include <cmark-gfm/node.h>

namespace markdown {

/// The text the parser gathered for a node (a block's lines, a cell's text, an attribute node's
/// text). The library's own accessor cannot be trusted to end it with a NUL byte.
inline std::string_view nodeContent(cmark_node* node) {
    if (node->content.ptr == nullptr)
        return {};
    return {reinterpret_cast<const char*>(node->content.ptr),
            static_cast<std::size_t>(node->content.size)};
}

} // namespace markdown
