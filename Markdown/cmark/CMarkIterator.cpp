#include "Markdown/cmark/CMarkIterator.hpp"

#include <cmark-gfm.h>

namespace markdown {

CMarkIterator::CMarkIterator(CMarkNode root) : iterator(cmark_iter_new(root.raw())) {}

CMarkEvent CMarkIterator::next() {
    if (!iterator)
        current = CMarkEvent::done;
    else if (current != CMarkEvent::done)
        current = static_cast<CMarkEvent>(cmark_iter_next(iterator.get()));
    return current;
}

CMarkNode CMarkIterator::node() const {
    if (current == CMarkEvent::none || current == CMarkEvent::done)
        return {};
    return CMarkNode(cmark_iter_get_node(iterator.get()));
}

void CMarkIterator::IteratorDeleter::operator()(cmark_iter* iterator) const {
    cmark_iter_free(iterator);
}

} // namespace markdown
