#include "Markdown/tree/ChildReplacement.hpp"

#include "Markdown/support/Fatal.hpp"

namespace markdown {

Markup replacingChildren(const Markup& container, std::int64_t from, std::int64_t to,
                         std::vector<RawMarkupPtr> children) {
    require(0 <= from && from <= to && to <= container.childCount());
    auto current = container.raw().markup->children();
    std::vector<RawMarkupPtr> replaced;
    replaced.reserve(current.size() - static_cast<std::size_t>(to - from) + children.size());
    replaced.insert(replaced.end(), current.begin(), current.begin() + from);
    replaced.insert(replaced.end(), std::make_move_iterator(children.begin()),
                    std::make_move_iterator(children.end()));
    replaced.insert(replaced.end(), current.begin() + to, current.end());
    return container.withUncheckedRawChildren(std::move(replaced));
}

} // namespace markdown
