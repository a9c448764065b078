#include "Markdown/tree/SourceLocation.hpp"

#include "Markdown/support/HashCombine.hpp"

namespace markdown {

std::string SourceLocation::description() const {
    std::string text;
    if (source && !source->empty())
        text = source->path() + ":";
    text += std::to_string(line);
    text += ':';
    text += std::to_string(column);
    return text;
}

} // namespace markdown

std::size_t std::hash<markdown::SourceLocation>::operator()(
    const markdown::SourceLocation& location) const noexcept {
    std::size_t seed = std::hash<std::int64_t>{}(location.line);
    seed = markdown::hashCombine(seed, std::hash<std::int64_t>{}(location.column));
    if (!location.source)
        return markdown::hashCombine(seed, 0);
    seed = markdown::hashCombine(seed, 1);
    return markdown::hashCombine(seed, std::hash<markdown::URL>{}(*location.source));
}
