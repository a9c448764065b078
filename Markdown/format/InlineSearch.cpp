#include "Markdown/format/InlineSearch.hpp"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace markdown {
namespace {

using Change = InlineVariant::Change;

bool isJoin(Change::Kind kind) {
    return kind == Change::Kind::joinLiteral || kind == Change::Kind::joinLiterals ||
           kind == Change::Kind::joinFollowing;
}

bool before(const Change& a, const Change& b) {
    return std::tie(a.kind, a.span) < std::tie(b.kind, b.span);
}

void order(std::vector<Change>& changes) {
    std::sort(changes.begin(), changes.end(), before);
    changes.erase(std::unique(changes.begin(), changes.end()), changes.end());
}

bool namesCharacter(Change::Kind kind) {
    return kind == Change::Kind::asterisk || kind == Change::Kind::underscore;
}

void appendKey(std::string& key, const Change& change) {
    key += static_cast<char>(change.kind);
    key.append(reinterpret_cast<const char*>(&change.span), sizeof change.span);
}

// The choices other than joins, in their order: the first character named for a span wins.
std::string keyOf(const InlineVariant& choices) {
    std::string key;
    for (const Change& change : choices.changes)
        if (!isJoin(change.kind))
            appendKey(key, change);
    return key;
}

// The choices that name neither a span's character nor a join, whose order does not count.
std::string othersOf(const InlineVariant& choices) {
    std::vector<Change> others;
    std::copy_if(
        choices.changes.begin(), choices.changes.end(), std::back_inserter(others),
        [](const Change& change) { return !isJoin(change.kind) && !namesCharacter(change.kind); });
    order(others);
    std::string key;
    for (const Change& change : others)
        appendKey(key, change);
    return key;
}

std::string charactersKey(const std::string& others, const std::string& characters) {
    return std::to_string(others.size()) + ':' + others + characters;
}

std::vector<Change> joinsOf(const InlineVariant& choices) {
    std::vector<Change> joins;
    std::copy_if(choices.changes.begin(), choices.changes.end(), std::back_inserter(joins),
                 [](const Change& change) { return isJoin(change.kind); });
    order(joins);
    return joins;
}

// The character `choices` names for each of `spans` spans, if any.
std::vector<char> namedCharacters(const InlineVariant& choices, std::size_t spans) {
    std::vector<char> named(spans, 0);
    for (const Change& change : choices.changes)
        if (namesCharacter(change.kind) && change.span < spans && !named[change.span])
            named[change.span] = change.kind == Change::Kind::asterisk ? '*' : '_';
    return named;
}

// The characters spans print with `named`, where they choose as `spans` did.
std::string charactersOf(const std::vector<char>& named,
                         const std::vector<InlineSearch::SpanCharacter>& spans) {
    std::string characters;
    for (std::size_t span = 0; span < spans.size(); ++span)
        characters += !spans[span].namedCounts ? spans[span].chosen
                      : named[span]            ? named[span]
                                               : spans[span].unnamed;
    return characters;
}

// The characters the spans printed.
std::string chosenCharacters(const std::vector<InlineSearch::SpanCharacter>& spans) {
    std::string characters;
    for (const InlineSearch::SpanCharacter& span : spans)
        characters += span.chosen;
    return characters;
}

} // namespace

bool InlineSearch::spend(std::size_t bytes) {
    if (bytes > left) {
        // What is left cannot pay for a try: none is made any more.
        left = 0;
        return false;
    }
    left -= bytes;
    return true;
}

const InlineReading* InlineSearch::readingOf(const std::string& text) const {
    const auto found = readings.find(text);
    return found == readings.end() ? nullptr : &found->second;
}

void InlineSearch::keep(const std::string& text, InlineReading reading) {
    readings.emplace(text, reading);
}

bool InlineSearch::printsAlike(const InlineVariant& choices, const Printed& try_) const {
    // Printed in order, the text is the same up to each span that chooses as the try's did.
    if (charactersOf(namedCharacters(choices, try_.spans.size()), try_.spans) !=
        chosenCharacters(try_.spans))
        return false;
    const std::vector<Change> joins = joinsOf(choices);
    std::vector<Change> differing;
    std::set_symmetric_difference(joins.begin(), joins.end(), try_.joins.begin(), try_.joins.end(),
                                  std::back_inserter(differing), before);
    return std::none_of(differing.begin(), differing.end(), [&](const Change& join) {
        return std::binary_search(try_.joinsThatAct.begin(), try_.joinsThatAct.end(), join, before);
    });
}

const InlineReading* InlineSearch::readingOf(const InlineVariant& choices) const {
    const auto firstAlike = [&](const auto& index, const std::string& key) -> const InlineReading* {
        if (const auto found = index.find(key); found != index.end())
            for (const std::size_t at : found->second)
                if (printsAlike(choices, tries[at]))
                    return &tries[at].reading;
        return nullptr;
    };
    if (const InlineReading* reading = firstAlike(byChoices, keyOf(choices)))
        return reading;
    // Spans the choices name no character for likely choose as they did in the last try.
    const std::string others = othersOf(choices);
    const auto last = lastOfOthers.find(others);
    if (last == lastOfOthers.end())
        return nullptr;
    const std::vector<SpanCharacter>& spans = tries[last->second].spans;
    return firstAlike(
        byCharacters,
        charactersKey(others, charactersOf(namedCharacters(choices, spans.size()), spans)));
}

void InlineSearch::keep(const InlineVariant& choices, std::vector<Change> joinsThatAct,
                        std::vector<SpanCharacter> spans, InlineReading reading) {
    order(joinsThatAct);
    const std::string characters = chosenCharacters(spans);
    const std::string others = othersOf(choices);
    tries.push_back({joinsOf(choices), std::move(joinsThatAct), std::move(spans), reading});
    byChoices[keyOf(choices)].push_back(tries.size() - 1);
    byCharacters[charactersKey(others, characters)].push_back(tries.size() - 1);
    lastOfOthers[others] = tries.size() - 1;
}

} // namespace markdown
