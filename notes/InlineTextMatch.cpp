#include "notes/InlineTextMatch.hpp"

#include "notes/MakeRegex.hpp"
#include "notes/RegexMatch.hpp"
#include "notes/TypedText.hpp"

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

} // namespace

std::vector<InlineTextMatch> findInlineText(std::string_view text) {
    std::vector<InlineTextMatch> found;
    if (!mayHoldInlineText(text))
        return found;
    const TypedText typed(text);
    const std::string_view typedText = typed.text();
    for (const RegexMatch& match : allMatches(inlineTextPattern(), typedText)) {
        std::size_t group = 2;
        InlineTextKind kind = InlineTextKind::wikilink;
        if (match.groups[2]) {
            if (!match.groups[1]->empty())
                kind = InlineTextKind::embed;
        } else if (match.groups[3]) {
            group = 3;
            kind = InlineTextKind::footnoteReference;
        } else if (match.groups[4]) {
            group = 4;
            kind = InlineTextKind::highlight;
        } else {
            group = 5;
            kind = InlineTextKind::webAddress;
        }
        const std::string_view content = *match.groups[group];
        const auto contentBegin = static_cast<std::size_t>(content.data() - typedText.data());
        const std::size_t shownBegin = typed.shownOffset(contentBegin);
        const std::size_t shownEnd = typed.shownOffset(contentBegin + content.size());
        found.push_back(InlineTextMatch{
            .kind = kind,
            .begin = typed.shownOffset(match.begin),
            .end = typed.shownOffset(match.end),
            .shown = text.substr(shownBegin, shownEnd - shownBegin),
            .typed = std::string(content),
        });
    }
    return found;
}

} // namespace notes
