#include "Markdown/PlainTextConvertibleMarkup.hpp"

#include "Markdown/ChildrenPlainText.hpp"
#include "Markdown/ElementDispatch.hpp"

#include <type_traits>

namespace markdown {

std::string PlainTextConvertibleMarkup::plainText() const {
    return plainTextOf(*this);
}

void PlainTextConvertibleMarkup::appendPlainText(std::string& text) const {
    dispatchOnKind(*this, [&](const auto& element) {
        using Element = std::remove_cvref_t<decltype(element)>;
        constexpr RawMarkupKind kind = Element::markupKind;
        if constexpr (requires { element.appendPlainText(text); }) {
            element.appendPlainText(text);
        } else {
            // Paragraphs and headings read as their inline content; every other kind with a
            // plain text has its own rule.
            static_assert(!hasInterface(kind, MarkupInterface::plainTextConvertibleMarkup) ||
                          hasInterface(kind, MarkupInterface::inlineContainer));
            if constexpr (hasInterface(kind, MarkupInterface::inlineContainer))
                appendChildrenPlainText(element, text);
        }
    });
}

} // namespace markdown
