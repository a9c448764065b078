#include "Markdown/CMarkDocument.hpp"

#include <cmark-gfm.h>

namespace markdown {

CMarkDocument::CMarkDocument(cmark_node* root) : rootNode(root) {}

void CMarkDocument::NodeDeleter::operator()(cmark_node* node) const {
    cmark_node_free(node);
}

} // namespace markdown
