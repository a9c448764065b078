#include "Markdown/DirectiveArgumentText.hpp"

#include "Markdown/Fatal.hpp"
#include "Markdown/UnicodeText.hpp"

#include <algorithm>

namespace markdown {

std::string_view DirectiveArgumentText::LineSegment::trimmedText() const {
    require(parseIndex <= untrimmedText.size());
    return std::string_view(untrimmedText).substr(parseIndex);
}

bool operator==(const DirectiveArgumentText::LineSegment& a,
                const DirectiveArgumentText::LineSegment& b) {
    return a.parseIndex == b.parseIndex && a.range == b.range &&
           canonicallyEqual(a.untrimmedText, b.untrimmedText);
}

DirectiveArgumentText::DirectiveArgumentText(std::string_view text)
    : segments{LineSegment{std::string(text), 0, std::nullopt}} {}

bool DirectiveArgumentText::isEmpty() const {
    // Any byte but a space or a tab belongs to a Character that is neither.
    return std::ranges::all_of(segments, [](const LineSegment& segment) {
        return segment.untrimmedText.find_first_not_of(" \t") == std::string::npos;
    });
}

} // namespace markdown
