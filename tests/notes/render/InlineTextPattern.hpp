#pragma once

#include "notes/render/InlineTextSpan.hpp"
#include "notes/text/MakeRegex.hpp"
#include "notes/text/RegexMatch.hpp"

#include <functional>
#include <string_view>
#include <vector>

// The regular expression the note-vault constructs were first found with, kept as the oracle
// that the byte scanner must agree with.
namespace notes::testing {

inline const icu::RegexPattern& inlineTextPattern() {
    // Groups: 1 "!", 2 wikilink body, 3 footnote label, 4 highlighted text, 5 address.
    static const auto pattern = makeRegex(R"re((!?)\[\[([^\[\]\n]+?)\]\])re"
                                          R"re(|\[\^([^\]\s]+)\])re"
                                          R"re(|==(?=\S)([^=\n]+?)(?<=\S)==)re"
                                          R"re(|\b(https?://[^\s<>"]+[^\s<>".,:;'!?)\]]))re");
    return *pattern;
}

using AcceptSpan = std::function<bool(const InlineTextSpan&)>;

/// The spans the pattern finds, left to right; after one that `accept` refuses, the search goes
/// on from the character after its start.
inline std::vector<InlineTextSpan> patternSpans(std::string_view text, const AcceptSpan& accept) {
    const auto spanOf = [&](const RegexMatch& match) {
        constexpr InlineTextKind kinds[] = {InlineTextKind::wikilink, InlineTextKind::wikilink,
                                            InlineTextKind::footnoteReference,
                                            InlineTextKind::highlight, InlineTextKind::webAddress};
        std::size_t group = 2;
        while (!match.groups[group])
            ++group;
        InlineTextKind kind = kinds[group - 1];
        if (group == 2 && !match.groups[1]->empty())
            kind = InlineTextKind::embed;
        const auto contentBegin =
            static_cast<std::size_t>(match.groups[group]->data() - text.data());
        return InlineTextSpan{kind, match.begin, match.end, contentBegin,
                              contentBegin + match.groups[group]->size()};
    };
    std::vector<InlineTextSpan> spans;
    for (const RegexMatch& match : allMatches(
             inlineTextPattern(), text, [&](const RegexMatch& m) { return accept(spanOf(m)); }))
        spans.push_back(spanOf(match));
    return spans;
}

/// The same, found by the scanner.
inline std::vector<InlineTextSpan> scannedSpans(std::string_view text, const AcceptSpan& accept) {
    std::vector<InlineTextSpan> spans;
    std::size_t from = 0;
    while (const std::optional<InlineTextSpan> span = findInlineTextSpan(text, from)) {
        if (!accept(*span)) {
            from = span->begin + 1;
            continue;
        }
        spans.push_back(*span);
        from = span->end;
    }
    return spans;
}

} // namespace notes::testing
