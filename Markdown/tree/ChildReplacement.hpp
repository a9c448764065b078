#pragma once

#include "Markdown/tree/Markup.hpp"

#include <cstdint>
#include <vector>

namespace markdown {

/// The container with its children from `from` up to, not including, `to` replaced by the
/// given nodes, standing in a rebuilt copy of its tree; its data and range stay. Positions
/// outside 0 to the child count, or `to` before `from`, stop the program.
[[nodiscard]] Markup replacingChildren(const Markup& container, std::int64_t from, std::int64_t to,
                                       std::vector<RawMarkupPtr> children);

} // namespace markdown
