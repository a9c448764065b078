#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {
namespace {

std::string position(const MarkupMetadata& metadata) {
    return "rootId: " + std::to_string(metadata.id.rootId) +
           ", childId: " + std::to_string(metadata.id.childId) +
           ", indexInParent: " + std::to_string(metadata.indexInParent);
}

} // namespace

void stopOnWrongKind(std::string_view typeName, const MarkupData& data) {
    std::string element = std::string(typeName) + "(" + position(data.raw.metadata) + ")";
    std::string raw = "AbsoluteRawMarkup(markup: " + data.raw.markup->data().description() + ", " +
                      position(data.raw.metadata) + ")";
    fatal(element + " markup wrapped unexpected " + raw);
}

} // namespace markdown
