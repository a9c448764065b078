#include "Markdown/elements/ChildrenPlainText.hpp"

#include "Markdown/elements/PlainTextConvertibleMarkup.hpp"
#include "Markdown/support/StackSpace.hpp"

namespace markdown {

std::string childrenPlainText(const Markup& container) {
    // Containers nest as deep as the input does; each level asks for stack room.
    return withStackSpace([&] {
        std::string text;
        for (Markup child : container.children())
            if (auto convertible = child.as<PlainTextConvertibleMarkup>())
                text += convertible->plainText();
        return text;
    });
}

} // namespace markdown
