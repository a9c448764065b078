#include "Markdown/format/InlineVariant.hpp"

#include <algorithm>

namespace markdown {

std::optional<char> InlineVariant::chosenCharacter(std::size_t span) const {
    for (const Change& change : changes)
        if (change.span == span && change.kind == Change::Kind::asterisk)
            return '*';
        else if (change.span == span && change.kind == Change::Kind::underscore)
            return '_';
    return characterOfEverySpan();
}

std::optional<char> InlineVariant::characterOfEverySpan() const {
    if (holds({Change::Kind::allAsterisks, 0}))
        return '*';
    if (holds({Change::Kind::allUnderscores, 0}))
        return '_';
    return std::nullopt;
}

bool InlineVariant::holds(const Change& change) const {
    return std::find(changes.begin(), changes.end(), change) != changes.end();
}

bool InlineVariant::includes(const InlineVariant& other) const {
    return std::all_of(other.changes.begin(), other.changes.end(),
                       [&](const Change& change) { return holds(change); });
}

InlineVariant InlineVariant::with(const InlineVariant& step) const {
    InlineVariant combined = step;
    combined.changes.insert(combined.changes.end(), changes.begin(), changes.end());
    return combined;
}

std::vector<InlineVariant> InlineVariant::steps(const std::vector<std::size_t>& spans, bool tildes,
                                                bool brackets, bool lineBreaks) {
    using Kind = Change::Kind;
    std::vector<InlineVariant> steps;
    if (!spans.empty()) {
        steps.push_back({{{Kind::allAsterisks, 0}}});
        steps.push_back({{{Kind::allUnderscores, 0}}});
        steps.push_back({{{Kind::nestedAlike, 0}}});
    }
    for (std::size_t span : spans)
        for (Kind kind : {Kind::asterisk, Kind::underscore, Kind::joinLiteral, Kind::joinLiterals,
                          Kind::joinFollowing})
            steps.push_back({{{kind, span}}});
    if (tildes) {
        steps.push_back({{{Kind::bareOpeningTildes, 0}}});
        steps.push_back({{{Kind::bareClosingTildes, 0}}});
        // A span's text may read as its own only with the tildes at both ends bare: with either
        // alone, one of its runs still meets punctuation and the text reads no further.
        steps.push_back({{{Kind::bareOpeningTildes, 0}, {Kind::bareClosingTildes, 0}}});
        steps.push_back({{{Kind::bareTildesBesideRuns, 0}}});
        steps.push_back({{{Kind::oddStrikethroughRuns, 0}}});
    }
    if (brackets)
        steps.push_back({{{Kind::bareBrackets, 0}}});
    // Tried only where references do not read back: then the text reads back on the directive
    // road neither way, and may here with the bare characters.
    if (lineBreaks)
        steps.push_back({{{Kind::bareLineBreaks, 0}}});
    return steps;
}

InlineVariant InlineVariant::everySpan(Range spans, Range strikethroughs, std::size_t bits,
                                       std::optional<Change::Kind> join) {
    InlineVariant variant;
    for (std::size_t i = 0; i < spans.count; ++i) {
        const std::size_t span = spans.first + i;
        variant.changes.push_back(
            {(bits >> i) & 1 ? Change::Kind::underscore : Change::Kind::asterisk, span});
        if (join)
            variant.changes.push_back({*join, span});
    }
    for (std::size_t i = 0; i < strikethroughs.count; ++i)
        variant.changes.push_back(
            {(bits >> (spans.count + i)) & 1 ? Change::Kind::oneTilde : Change::Kind::twoTildes,
             strikethroughs.first + i});
    return variant;
}

} // namespace markdown
