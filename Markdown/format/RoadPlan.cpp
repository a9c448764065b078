#include "Markdown/format/RoadPlan.hpp"

#include "Markdown/format/FormatterRules.hpp"

namespace markdown {

std::uint8_t RoadPlan::wantedAfter(const std::vector<std::uint8_t>& entries,
                                   const std::optional<BlockPlace>& at) {
    if (entries.empty() || !at)
        return eitherState;
    return entries[static_cast<std::size_t>(at->first.metadata().indexInParent) + 1];
}

std::uint8_t RoadPlan::wantedAfter() const {
    return wantedAfter(entries, blockPrinted);
}

} // namespace markdown
