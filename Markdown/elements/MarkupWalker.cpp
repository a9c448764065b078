#include "Markdown/elements/MarkupWalker.hpp"

namespace markdown {

void MarkupWalker::descendInto(const Markup& markup) {
    using Children = MarkupChildren::Iterator;
    withStackSpace([&] {
        const RawMarkup& node = *markup.raw().markup;
        // Iterated from the element itself: a `MarkupChildren` would hold a copy of it.
        const Children end = Children::endOf(markup);
        for (Children child = Children::startOf(markup); child != end; ++child) {
            // A child's node is read first when its element is made; asking for the next one
            // now lets the memory fetch overlap this child's visit.
            const std::int64_t next = child.metadata().indexInParent + 1;
            if (next < node.childCount())
                __builtin_prefetch(node.child(next).get());
            visit(*child);
        }
    });
}

} // namespace markdown
