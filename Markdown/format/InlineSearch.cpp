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

// The choices other than joins, in their order: the first character chosen for a span wins.
std::string keyOf(const InlineVariant& choices) {
    std::string key;
    for (const Change& change : choices.changes)
        if (!isJoin(change.kind)) {
            key += static_cast<char>(change.kind);
            key.append(reinterpret_cast<const char*>(&change.span), sizeof change.span);
        }
    return key;
}

std::vector<Change> joinsOf(const InlineVariant& choices) {
    std::vector<Change> joins;
    std::copy_if(choices.changes.begin(), choices.changes.end(), std::back_inserter(joins),
                 [](const Change& change) { return isJoin(change.kind); });
    order(joins);
    return joins;
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

const InlineReading* InlineSearch::readingOf(const InlineVariant& choices) const {
    const auto found = printed.find(keyOf(choices));
    if (found == printed.end())
        return nullptr;
    const std::vector<Change> joins = joinsOf(choices);
    for (const Printed& try_ : found->second) {
        std::vector<Change> differing;
        std::set_symmetric_difference(joins.begin(), joins.end(), try_.joins.begin(),
                                      try_.joins.end(), std::back_inserter(differing), before);
        if (std::none_of(differing.begin(), differing.end(), [&](const Change& join) {
                return std::binary_search(try_.joinsThatAct.begin(), try_.joinsThatAct.end(), join,
                                          before);
            }))
            return &try_.reading;
    }
    return nullptr;
}

void InlineSearch::keep(const InlineVariant& choices, std::vector<Change> joinsThatAct,
                        InlineReading reading) {
    order(joinsThatAct);
    printed[keyOf(choices)].push_back({joinsOf(choices), std::move(joinsThatAct), reading});
}

} // namespace markdown
