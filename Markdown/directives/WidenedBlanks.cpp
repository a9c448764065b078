#include "Markdown/directives/WidenedBlanks.hpp"

#include <algorithm>

namespace markdown {

void WidenedBlanks::append(std::int64_t spaces) {
    ends.push_back((ends.empty() ? 1 : ends.back()) + spaces);
}

std::int64_t WidenedBlanks::writtenColumn(std::int64_t column) const {
    const auto blank = std::ranges::upper_bound(ends, column);
    return firstColumn + (blank - ends.begin());
}

} // namespace markdown
