#include "Markdown/elements/MarkupWalker.hpp"

namespace markdown {

void MarkupWalker::descendInto(const Markup& markup) {
    withStackSpace([&] {
        for (const Markup& child : markup.children())
            visit(child);
    });
}

} // namespace markdown
