#pragma once

#include "Markdown/tree/MarkupMetadata.hpp"
#include "Markdown/tree/RawMarkup.hpp"

namespace markdown {

/// A shared raw node and where it stands in this tree.
struct AbsoluteRawMarkup {
    RawMarkupPtr markup;
    MarkupMetadata metadata;
};

} // namespace markdown
