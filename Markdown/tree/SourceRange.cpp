#include "Markdown/tree/SourceRange.hpp"

#include "Markdown/support/Fatal.hpp"
#include "Markdown/support/HashCombine.hpp"

namespace markdown {

void SourceRange::setStart(SourceLocation start) {
    require(!(upper < start));
    lower = std::move(start);
}

void SourceRange::setEnd(SourceLocation end) {
    require(!(end < lower));
    upper = std::move(end);
}

std::string SourceRange::diagnosticDescription(bool includePath) const {
    std::string text;
    if (includePath && lower.source && !lower.source->empty())
        text = lower.source->path() + ":";
    text += lower.description();
    if (lower != upper)
        text += "-" + upper.description();
    return text;
}

} // namespace markdown

std::size_t
std::hash<markdown::SourceRange>::operator()(const markdown::SourceRange& range) const noexcept {
    std::hash<markdown::SourceLocation> hashLocation;
    return markdown::hashCombine(hashLocation(range.lowerBound()),
                                 hashLocation(range.upperBound()));
}
