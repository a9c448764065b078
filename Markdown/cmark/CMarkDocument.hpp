#pragma once

#include "Markdown/cmark/CMarkArena.hpp"
#include "Markdown/cmark/CMarkNode.hpp"

#include <memory>

namespace markdown {

/// Owns the tree of one finished parse and frees it, with every node, when it goes. Holds nothing
/// of the parser that made it but the arena its nodes live in.
class CMarkDocument {
public:
    /// Takes ownership of a tree's root ("document" node), whose nodes come from `arena` (none:
    /// from the library's default allocator).
    explicit CMarkDocument(cmark_node* root, std::shared_ptr<CMarkArena> arena = nullptr);
    ~CMarkDocument();
    CMarkDocument(CMarkDocument&&) noexcept = default;
    CMarkDocument& operator=(CMarkDocument&&) = delete;

    [[nodiscard]] CMarkNode root() const { return CMarkNode(rootNode.get()); }

    /// For a caller that frees the nodes below the root one by one (`cmark_node_free`) as it is
    /// done with them: their memory goes to `receiver` as soon as it can, instead of waiting
    /// for the whole tree to go (see `CMarkArena::returnFreedChunks`). With the library's
    /// default allocator, freed nodes go back to the C heap.
    void returnFreedMemory(CMarkArena::ChunkReceiver receiver);

private:
    struct NodeDeleter {
        void operator()(cmark_node* node) const;
    };
    // Declared first so that it goes last, after the tree.
    std::shared_ptr<CMarkArena> arena;
    std::unique_ptr<cmark_node, NodeDeleter> rootNode;
};

} // namespace markdown
