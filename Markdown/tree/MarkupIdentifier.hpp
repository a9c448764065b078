#pragma once

#include <cstdint>

namespace markdown {

/// Which tree a node belongs to and its pre-order number in it (0 for the root).
struct MarkupIdentifier {
    std::uint64_t rootId;
    std::int64_t childId;

    friend bool operator==(const MarkupIdentifier&, const MarkupIdentifier&) = default;
};

} // namespace markdown
