#include "notes/render/ListTightness.hpp"

#include <optional>

namespace notes {
namespace {

std::optional<markdown::Markup> lastChild(const markdown::Markup& item) {
    if (item.isEmpty())
        return std::nullopt;
    return item.childAt(item.childCount() - 1);
}

// The end line of `previous` to the start line of `next`, when both have a range.
std::optional<std::int64_t> lineDistance(const markdown::Markup& previous,
                                         const markdown::Markup& next) {
    const std::optional<markdown::SourceRange> before = previous.range();
    const std::optional<markdown::SourceRange> after = next.range();
    if (!before || !after)
        return std::nullopt;
    return after->start().line - before->end().line;
}

} // namespace

bool blankLineBetween(const markdown::Markup& previous, const markdown::Markup& next) {
    const std::optional<std::int64_t> distance = lineDistance(previous, next);
    return distance && *distance >= 2;
}

bool isTightList(std::span<const markdown::ListItem> items) {
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        const std::optional<markdown::Markup> last = lastChild(items[i]);
        if (last && blankLineBetween(*last, items[i + 1]))
            return false;
    }
    for (const markdown::ListItem& item : items) {
        std::optional<markdown::Markup> previous;
        for (markdown::Markup block : item.children()) {
            if (previous && blankLineBetween(*previous, block))
                return false;
            previous = block;
        }
    }
    return true;
}

} // namespace notes
