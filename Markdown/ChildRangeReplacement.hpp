#pragma once

#include "Markdown/MarkupData.hpp"

#include <cstdint>
#include <vector>

namespace markdown {

/// The element of `data` rebuilt with its children from `lowerBound` up to, not including,
/// `upperBound` replaced by `children` (an empty range inserts, no children remove), standing
/// where it stood in a new tree. The node keeps its own data and range; its ancestors are
/// rebuilt, their data unchanged. A range outside 0 to the child count stops the program.
[[nodiscard]] MarkupData replacingChildrenInRange(const MarkupData& data, std::int64_t lowerBound,
                                                  std::int64_t upperBound,
                                                  std::vector<RawMarkupPtr> children);

} // namespace markdown
