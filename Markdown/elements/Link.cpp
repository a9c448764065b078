#include "Markdown/elements/Link.hpp"

#include "Markdown/elements/Text.hpp"
#include "Markdown/support/UnicodeText.hpp"

namespace markdown {

void Link::setDestination(std::optional<std::string> destination) {
    replacePayload(Payload{nonEmptyText(std::move(destination)), title()});
}

void Link::setTitle(std::optional<std::string> title) {
    replacePayload(Payload{destination(), nonEmptyText(std::move(title))});
}

bool Link::isAutolink() const {
    const auto& target = destination();
    if (!target || childCount() != 1)
        return false;
    auto text = childAt(0)->as<Text>();
    return text && canonicallyEqual(text->string(), *target);
}

} // namespace markdown
