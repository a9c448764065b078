#pragma once

#include "Markdown/tree/Markup.hpp"

#include <cstdint>
#include <optional>
#include <span>

namespace markdown {

/// The element with the descendant at the end of `path` (a child position per level) replaced
/// by `node`, standing where the element stood in a rebuilt copy of its tree. Each rebuilt
/// node on the path keeps its own range when `keepingRanges`, else takes its new child's.
/// None for an empty path or a position outside a node's children.
[[nodiscard]] std::optional<Markup> replacingDescendant(const Markup& markup,
                                                        std::span<const std::int64_t> path,
                                                        RawMarkupPtr node, bool keepingRanges);

} // namespace markdown
