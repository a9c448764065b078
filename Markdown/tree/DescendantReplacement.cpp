#include "Markdown/tree/DescendantReplacement.hpp"

#include <vector>

namespace markdown {

std::optional<Markup> replacingDescendant(const Markup& markup, std::span<const std::int64_t> path,
                                          RawMarkupPtr node, bool keepingRanges) {
    if (path.empty())
        return std::nullopt;
    // parents[level] is the node whose child at path[level] is replaced.
    std::vector<RawMarkupPtr> parents{markup.raw().markup};
    for (std::size_t level = 0; level < path.size(); ++level) {
        const RawMarkupPtr& parent = parents.back();
        if (path[level] < 0 || path[level] >= parent->childCount())
            return std::nullopt;
        if (level + 1 < path.size())
            parents.push_back(parent->child(path[level]));
    }
    for (std::size_t level = path.size(); level-- > 0;)
        node = parents[level]->substitutingChild(std::move(node), path[level], keepingRanges);
    return makeMarkup(markup.data().replacingSelf(std::move(node), keepingRanges));
}

} // namespace markdown
