#include "Markdown/ChildRangeReplacement.hpp"

#include "Markdown/Fatal.hpp"

namespace markdown {

MarkupData replacingChildrenInRange(const MarkupData& data, std::int64_t lowerBound,
                                    std::int64_t upperBound, std::vector<RawMarkupPtr> children) {
    const RawMarkup& node = *data.raw.markup;
    require(0 <= lowerBound && lowerBound <= upperBound && upperBound <= node.childCount());
    auto current = node.children();
    std::vector<RawMarkupPtr> newChildren(current.begin(), current.begin() + lowerBound);
    newChildren.reserve(current.size() - static_cast<std::size_t>(upperBound - lowerBound) +
                        children.size());
    std::move(children.begin(), children.end(), std::back_inserter(newChildren));
    newChildren.insert(newChildren.end(), current.begin() + upperBound, current.end());
    return data.replacingSelf(
        RawMarkup::create(node.data(), node.parsedRange(), std::move(newChildren)), false);
}

} // namespace markdown
