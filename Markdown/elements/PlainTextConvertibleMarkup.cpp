#include "Markdown/elements/PlainTextConvertibleMarkup.hpp"

#include "Markdown/elements/ElementDispatch.hpp"

#include <concepts>
#include <type_traits>

namespace markdown {

std::string PlainTextConvertibleMarkup::plainText() const {
    return dispatchOnKind(*this, [](const auto& element) -> std::string {
        using Element = std::remove_cvref_t<decltype(element)>;
        if constexpr (requires {
                          { element.plainText() } -> std::convertible_to<std::string>;
                      })
            return element.plainText();
        else
            fatal(std::string(Element::typeName) + " has no plain text");
    });
}

} // namespace markdown
