#include "Markdown/elements/MarkupRewriter.hpp"

#include <vector>

namespace markdown {

std::optional<Markup> MarkupRewriter::defaultVisit(const Markup& markup) {
    return withStackSpace([&]() -> std::optional<Markup> {
        std::vector<Markup> children;
        children.reserve(static_cast<std::size_t>(markup.childCount()));
        for (const Markup& child : markup.children())
            if (auto rewritten = child.accept(*this))
                children.push_back(std::move(*rewritten));
        return markup.withUncheckedChildren(children);
    });
}

} // namespace markdown
