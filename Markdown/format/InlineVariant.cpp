#include "Markdown/format/InlineVariant.hpp"

#include <algorithm>

namespace markdown {

std::optional<char> InlineVariant::characterOf(std::size_t span) const {
    for (const Change& change : changes)
        if (change.span == span && change.kind == Change::Kind::asterisk)
            return '*';
        else if (change.span == span && change.kind == Change::Kind::underscore)
            return '_';
    return std::nullopt;
}

bool InlineVariant::flipsJoin(std::size_t span) const {
    return std::find(changes.begin(), changes.end(), Change{Change::Kind::joinLiteral, span}) !=
           changes.end();
}

bool InlineVariant::has(Change::Kind kind) const {
    return std::any_of(changes.begin(), changes.end(),
                       [&](const Change& change) { return change.kind == kind; });
}

std::vector<InlineVariant> InlineVariant::candidates(const std::vector<std::size_t>& spans,
                                                     bool tildes, bool brackets,
                                                     std::size_t limit) {
    using Kind = Change::Kind;
    std::vector<Change> single;
    for (std::size_t span : spans)
        for (Kind kind : {Kind::asterisk, Kind::underscore, Kind::joinLiteral})
            single.push_back({kind, span});
    if (tildes)
        single.push_back({Kind::bareTildes, 0});
    if (brackets)
        single.push_back({Kind::bareBrackets, 0});

    std::vector<InlineVariant> variants;
    for (const Change& change : single) {
        if (variants.size() == limit)
            return variants;
        variants.push_back({{change}});
    }
    for (std::size_t i = 0; i < single.size(); ++i)
        for (std::size_t j = i + 1; j < single.size(); ++j) {
            // Two characters for one span contradict each other.
            auto isCharacter = [](const Change& change) {
                return change.kind == Kind::asterisk || change.kind == Kind::underscore;
            };
            if (single[i].span == single[j].span && isCharacter(single[i]) &&
                isCharacter(single[j]))
                continue;
            if (variants.size() == limit)
                return variants;
            variants.push_back({{single[i], single[j]}});
        }
    return variants;
}

} // namespace markdown
