#include "notes/InlineTextMatch.hpp"

#include "notes/MakeRegex.hpp"
#include "notes/RegexMatch.hpp"

namespace notes {
namespace {

const icu::RegexPattern& inlineTextPattern() {
    // Groups: 1 "!", 2 wikilink body, 3 footnote label, 4 highlighted text, 5 address.
    static const auto pattern = makeRegex(R"re((!?)\[\[([^\[\]\n]+?)\]\])re"
                                          R"re(|\[\^([^\]\s]+)\])re"
                                          R"re(|==(?=\S)([^=\n]+?)(?<=\S)==)re"
                                          R"re(|\b(https?://[^\s<>"]+[^\s<>".,:;'!?)\]]))re");
    return *pattern;
}

// Whether the pattern can match at all: each of its branches starts with one of these. Most runs
// of text have none, and the search itself is costly (a UTF-16 copy of the text first).
bool mayHoldInlineText(std::string_view text) {
    return text.find("[[") != std::string_view::npos || text.find("[^") != std::string_view::npos ||
           text.find("==") != std::string_view::npos || text.find("http") != std::string_view::npos;
}

// The group that holds a match's content.
std::size_t contentGroup(const RegexMatch& match) {
    for (std::size_t group : {2, 3, 4})
        if (match.groups[group])
            return group;
    return 5;
}

// Whether none of the typed bytes in [begin, end) was escaped.
bool noneEscaped(const TypedText& text, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i)
        if (text.isEscaped(i))
            return false;
    return true;
}

// The delimiters of a wikilink, reference or highlight, and the scheme of an address, as typed.
bool delimitersTyped(const TypedText& text, const RegexMatch& match) {
    const std::string_view typed = text.text();
    const std::size_t group = contentGroup(match);
    const std::string_view content = *match.groups[group];
    const auto contentBegin = static_cast<std::size_t>(content.data() - typed.data());
    if (group == 5)
        return noneEscaped(text, match.begin, match.begin + content.find(':') + 3);
    return noneEscaped(text, match.begin, contentBegin) &&
           noneEscaped(text, contentBegin + content.size(), match.end);
}

} // namespace

std::vector<InlineTextMatch> findInlineText(const TypedText& text) {
    std::vector<InlineTextMatch> found;
    const std::string_view typedText = text.text();
    if (!mayHoldInlineText(typedText))
        return found;
    const std::string_view shown = text.shown();
    for (const RegexMatch& match :
         allMatches(inlineTextPattern(), typedText,
                    [&](const RegexMatch& match) { return delimitersTyped(text, match); })) {
        const std::size_t group = contentGroup(match);
        InlineTextKind kind = InlineTextKind::wikilink;
        if (group == 2) {
            if (!match.groups[1]->empty())
                kind = InlineTextKind::embed;
        } else if (group == 3) {
            kind = InlineTextKind::footnoteReference;
        } else if (group == 4) {
            kind = InlineTextKind::highlight;
        } else {
            kind = InlineTextKind::webAddress;
        }
        const std::string_view content = *match.groups[group];
        const auto contentBegin = static_cast<std::size_t>(content.data() - typedText.data());
        const std::size_t shownBegin = text.shownOffset(contentBegin);
        const std::size_t shownEnd = text.shownOffset(contentBegin + content.size());
        found.push_back(InlineTextMatch{
            .kind = kind,
            .begin = text.shownOffset(match.begin),
            .end = text.shownOffset(match.end),
            .shown = shown.substr(shownBegin, shownEnd - shownBegin),
            .typed = std::string(content),
        });
    }
    return found;
}

} // namespace notes
