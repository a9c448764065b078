#include "Markdown/tree/RawMarkupKind.hpp"

#include <array>

namespace markdown {

std::string_view caseName(RawMarkupKind kind) {
    static constexpr std::array<std::string_view, rawMarkupKindCount> names = {
        "codeBlock",     "heading",          "htmlBlock",      "listItem",
        "orderedList",   "blockDirective",   "inlineCode",     "customInline",
        "image",         "inlineHTML",       "link",           "text",
        "symbolLink",    "inlineAttributes", "table",          "tableCell",
        "doxygenParam",  "blockQuote",       "customBlock",    "document",
        "thematicBreak", "unorderedList",    "paragraph",      "emphasis",
        "lineBreak",     "softBreak",        "strong",         "strikethrough",
        "tableHead",     "tableBody",        "tableRow",       "doxygenDiscussion",
        "doxygenNote",   "doxygenAbstract",  "doxygenReturns",
    };
    return names[static_cast<std::size_t>(kind)];
}

} // namespace markdown
