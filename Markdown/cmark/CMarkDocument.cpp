#include "Markdown/cmark/CMarkDocument.hpp"

#include <utility>

#include <cmark-gfm.h>

namespace markdown {

CMarkDocument::CMarkDocument(cmark_node* root, std::shared_ptr<CMarkArena> arena)
    : arena(std::move(arena)), rootNode(root) {}

CMarkDocument::~CMarkDocument() {
    // A tree alone in its arena goes with it, block by block unvisited.
    if (arena && arena.use_count() == 1 && arena->holdsMemory())
        static_cast<void>(rootNode.release());
}

void CMarkDocument::returnFreedMemory(CMarkArena::ChunkReceiver receiver) {
    if (arena && arena->holdsMemory())
        arena->returnFreedChunks(std::move(receiver));
}

void CMarkDocument::NodeDeleter::operator()(cmark_node* node) const {
    cmark_node_free(node);
}

} // namespace markdown
