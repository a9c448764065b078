#pragma once

#include "Markdown/CMarkNode.hpp"

#include <memory>

namespace markdown {

/// Owns the tree of one finished parse and frees it, with every node, when it goes. Holds nothing
/// of the parser that made it.
class CMarkDocument {
public:
    /// Takes ownership of a tree's root ("document" node).
    explicit CMarkDocument(cmark_node* root);

    [[nodiscard]] CMarkNode root() const { return CMarkNode(rootNode.get()); }

private:
    struct NodeDeleter {
        void operator()(cmark_node* node) const;
    };
    std::unique_ptr<cmark_node, NodeDeleter> rootNode;
};

} // namespace markdown
