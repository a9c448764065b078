#include "Markdown/tree/MarkupChildren.hpp"

namespace markdown {

ReversedMarkupChildren MarkupChildren::reversed() const {
    return ReversedMarkupChildren(parent);
}

} // namespace markdown
