#include "Markdown/elements/Image.hpp"

#include "Markdown/support/UnicodeText.hpp"

namespace markdown {
namespace {

bool sameText(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    if (!a || !b)
        return !a && !b;
    return canonicallyEqual(*a, *b);
}

} // namespace

void Image::setSource(std::optional<std::string> source) {
    if (sameText(source, this->source()))
        return;
    replacePayload(Payload{nonEmptyText(std::move(source)), title()});
}

void Image::setTitle(std::optional<std::string> title) {
    if (sameText(title, this->title()))
        return;
    replacePayload(Payload{source(), nonEmptyText(std::move(title))});
}

} // namespace markdown
