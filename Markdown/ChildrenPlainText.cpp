#include "Markdown/ChildrenPlainText.hpp"

#include "Markdown/MarkupChildren.hpp"
#include "Markdown/PlainTextConvertibleMarkup.hpp"
#include "Markdown/StackSpace.hpp"

namespace markdown {

void appendChildrenPlainText(const Markup& container, std::string& text) {
    // Emphasis can nest as deep as the note's delimiters go.
    withStackSpace([&] {
        for (const Markup& child : container.children())
            if (auto convertible = child.as<PlainTextConvertibleMarkup>())
                convertible->appendPlainText(text);
    });
}

} // namespace markdown
