#pragma once

#include "Markdown/tree/MarkupIdentifier.hpp"

#include <cstdint>

namespace markdown {

/// Where a raw node stands in one tree.
struct MarkupMetadata {
    MarkupIdentifier id;
    /// Position among the parent's children; 0 for a root.
    std::int64_t indexInParent;
};

} // namespace markdown
