#include "Markdown/tree/ListTightness.hpp"

#include <optional>
#include <span>

namespace markdown {

bool blankLineBetween(const RawMarkup& previous, const RawMarkup& next) {
    const std::optional<SourceRange>& before = previous.parsedRange();
    const std::optional<SourceRange>& after = next.parsedRange();
    return before && after && after->start().line - before->end().line >= 2;
}

bool isTightList(const RawMarkup& list) {
    const std::span<const RawMarkupPtr> items = list.children();
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        const std::span<const RawMarkupPtr> blocks = items[i]->children();
        if (!blocks.empty() && blankLineBetween(*blocks.back(), *items[i + 1]))
            return false;
    }
    for (const RawMarkupPtr& item : items) {
        const std::span<const RawMarkupPtr> blocks = item->children();
        for (std::size_t i = 0; i + 1 < blocks.size(); ++i)
            if (blankLineBetween(*blocks[i], *blocks[i + 1]))
                return false;
    }
    return true;
}

} // namespace markdown
