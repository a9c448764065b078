#include "Markdown/elements/MarkupInterface.hpp"

#include <utility>

namespace markdown {
namespace {

// Every kind that has an interface also has the interfaces it refines.
constexpr bool refinementsHold() {
    using enum MarkupInterface;
    constexpr std::pair<MarkupInterface, MarkupInterface> refines[] = {
        {inlineMarkup, plainTextConvertibleMarkup},
        {recurringInlineMarkup, inlineMarkup},
        {blockContainer, blockMarkup},
        {inlineContainer, plainTextConvertibleMarkup},
        {basicBlockContainer, blockContainer},
        {basicInlineContainer, inlineContainer},
        {listItemContainer, blockMarkup},
    };
    for (std::size_t k = 0; k < rawMarkupKindCount; ++k) {
        auto kind = static_cast<RawMarkupKind>(k);
        for (auto [refining, refined] : refines)
            if (hasInterface(kind, refining) && !hasInterface(kind, refined))
                return false;
    }
    return true;
}
static_assert(refinementsHold());

} // namespace
} // namespace markdown
