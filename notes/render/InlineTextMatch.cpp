#include "notes/render/InlineTextMatch.hpp"

namespace notes {
namespace {

// Whether none of the typed bytes in [begin, end) was escaped.
bool noneEscaped(const TypedText& text, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i)
        if (text.isEscaped(i))
            return false;
    return true;
}

// The delimiters of a wikilink, reference or highlight, and the scheme of an address, as typed.
bool delimitersTyped(const TypedText& text, const InlineTextSpan& span) {
    if (span.kind == InlineTextKind::webAddress)
        return noneEscaped(text, span.begin, text.text().find(':', span.begin) + 3);
    return noneEscaped(text, span.begin, span.contentBegin) &&
           noneEscaped(text, span.contentEnd, span.end);
}

} // namespace

std::vector<InlineTextMatch> findInlineText(const TypedText& text) {
    std::vector<InlineTextMatch> found;
    const std::string_view typed = text.text();
    const std::string_view shown = text.shown();
    std::size_t from = 0;
    while (const std::optional<InlineTextSpan> span = findInlineTextSpan(typed, from)) {
        // A refused construct gives way to one that starts inside it.
        if (!delimitersTyped(text, *span)) {
            from = span->begin + 1;
            continue;
        }
        from = span->end;
        const std::size_t shownBegin = text.shownOffset(span->contentBegin);
        const std::size_t shownEnd = text.shownOffset(span->contentEnd);
        found.push_back(InlineTextMatch{
            .kind = span->kind,
            .begin = text.shownOffset(span->begin),
            .end = text.shownOffset(span->end),
            .shown = shown.substr(shownBegin, shownEnd - shownBegin),
            .typed = std::string(
                typed.substr(span->contentBegin, span->contentEnd - span->contentBegin)),
        });
    }
    return found;
}

} // namespace notes
