// The printer's search for a reading: the choices an inline run is printed with until it reads
// back as it is.
#include "Markdown/format/MarkupFormatter.hpp"

#include "Markdown/format/FormatterRules.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace markdown {
namespace {

// What one search for a printing that reads back may print and parse, in bytes, for a run of
// `size` bytes: a long run still gets a few hundred tries.
std::size_t searchBudget(std::size_t size) {
    return std::max(std::size_t(1) << 19, size << 11);
}

using Change = InlineVariant::Change;
using Kind = Change::Kind;
using Slots = std::vector<std::vector<std::vector<Change>>>;

// The choices of each span apart: a character and a way of joining literals; then for each
// strikethrough, a length.
void addSpanChoices(Slots& slots, std::size_t firstSpan, std::size_t spans,
                    std::size_t firstStrikethrough, std::size_t strikethroughs) {
    for (std::size_t span = firstSpan; span < firstSpan + spans; ++span) {
        auto& choices = slots.emplace_back();
        for (const Kind character : {Kind::asterisk, Kind::underscore})
            for (const std::optional<Kind> join :
                 {std::optional<Kind>(), std::optional(Kind::joinLiteral),
                  std::optional(Kind::joinLiterals), std::optional(Kind::joinFollowing)})
                choices.push_back(join ? std::vector<Change>{{character, span}, {*join, span}}
                                       : std::vector<Change>{{character, span}});
    }
    for (std::size_t strikethrough = firstStrikethrough;
         strikethrough < firstStrikethrough + strikethroughs; ++strikethrough)
        slots.push_back({{{Kind::oneTilde, strikethrough}}, {{Kind::twoTildes, strikethrough}}});
}

// Every choice for the spans and strikethroughs at once, as one slot: each a character or a
// length, with the literals beside every span joined one way.
void addChoicesTogether(Slots& slots, InlineVariant::Range spans,
                        InlineVariant::Range strikethroughs) {
    auto& choices = slots.emplace_back();
    for (const std::optional<Kind> join : {std::optional<Kind>(), std::optional(Kind::joinLiterals),
                                           std::optional(Kind::joinFollowing)})
        for (std::size_t bits = 0; bits < (std::size_t(1) << (spans.count + strikethroughs.count));
             ++bits)
            choices.push_back(InlineVariant::everySpan(spans, strikethroughs, bits, join).changes);
}

// How many emphasis spans and strikethroughs `node` and its descendants print.
std::pair<std::size_t, std::size_t> spansIn(const RawMarkup& node) {
    std::pair<std::size_t, std::size_t> count;
    std::vector<const RawMarkup*> pending{&node};
    while (!pending.empty()) {
        const RawMarkup& next = *pending.back();
        pending.pop_back();
        if (isDelimited(next))
            ++count.first;
        else if (next.kind() == RawMarkupKind::strikethrough)
            ++count.second;
        for (const RawMarkupPtr& child : next.children())
            pending.push_back(child.get());
    }
    return count;
}

} // namespace

InlineText MarkupFormatter::gatherInlines(const Markup& container, std::size_t* codeSpans) {
    // Brackets are left bare first, where they read back so; else every one is escaped, and the
    // search's choices are made on top of that. Left bare, a bracket that closes no inline link
    // (those are escaped) and no task box reads as itself where no reference definition is
    // printed: only a text that opens with one and holds a "]:" could be read as a definition.
    InlineVariant base;
    InlineGathering firstRun;
    InlineText first = gatherInlinesAs(container, base, firstRun);
    if (codeSpans)
        *codeSpans = firstRun.codeSpansGathered;
    if (first.leftBracketsBare() && first.text().starts_with('[') &&
        first.text().find("]:") != std::string::npos) {
        if (readsBack(first, *container.raw().markup).same)
            return first;
        recycle(std::move(first));
        base.changes.push_back({InlineVariant::Change::Kind::escapedBrackets, 0});
        first = gatherInlinesAs(container, base, firstRun);
    }
    std::vector<InlineVariant::Change> firstJoins = std::move(firstRun.joinsThatAct);
    std::vector<InlineSearch::SpanCharacter> firstSpans = std::move(firstRun.spanCharacters);
    std::vector<std::size_t> unclear;
    bool check = firstRun.linkInLink;
    for (const DelimiterRunPlace& place : firstRun.runPlaces)
        if (!standsClear(first.text(), place)) {
            check = true;
            if (place.span != noSpan)
                unclear.push_back(place.span);
        }
    if (!check)
        return first;
    const InlineReading firstReading = readsBack(first, *container.raw().markup);
    if (firstReading.same)
        return first;
    // Gathered again in this print, with its code spans printed otherwise, the run most likely
    // reads back with the choices found before.
    if (foundChoices && foundChoices->first == container.raw().markup.get()) {
        InlineGathering againRun;
        InlineText again = gatherInlinesAs(container, foundChoices->second, againRun);
        if (readsBack(again, *container.raw().markup).same)
            return again;
    }
    std::sort(unclear.begin(), unclear.end());
    unclear.erase(std::unique(unclear.begin(), unclear.end()), unclear.end());
    const bool tildes = first.text().find('~') != std::string::npos;
    const bool lineBreaks = std::any_of(
        std::begin(roadLineBreaks), std::end(roadLineBreaks), [&](std::string_view lineBreak) {
            return first.text().find(lineBreakReference(lineBreak)) != std::string::npos;
        });
    const std::size_t size = first.text().size() + 1;
    InlineSearch search(searchBudget(size));
    search.keep(first.text(), firstReading);
    search.keep(base, std::move(firstJoins), std::move(firstSpans), firstReading);
    if (std::optional<InlineText> found = searchInlines(
            container, InlineVariant::steps(unclear, tildes, firstRun.linkInLink, lineBreaks), base,
            size, search))
        return std::move(*found);
    // Where no change reads back, the characters beside the runs are printed as references,
    // which flank them as punctuation: then a run opens only where it should, or closes, and
    // only the characters of the runs are left to choose.
    std::vector<std::size_t> spans(firstRun.spansPrinted);
    std::iota(spans.begin(), spans.end(), 0);
    const InlineVariant referencing =
        base.with({{{InlineVariant::Change::Kind::referencesBesideRuns, 0}}});
    if (std::optional<InlineText> found = searchInlines(
            container, InlineVariant::steps(spans, tildes, firstRun.linkInLink, lineBreaks),
            referencing, size, search))
        return std::move(*found);
    // Runs nested deep may need several characters changed at once, and the literals beside
    // them joined: a few spans try every choice.
    const std::size_t strikethroughs = firstRun.strikethroughsPrinted;
    std::vector<InlineVariant> bases{base, referencing};
    for (const auto& [kind, wanted] :
         {std::pair(InlineVariant::Change::Kind::nestedAlike, true),
          std::pair(InlineVariant::Change::Kind::bareLineBreaks, lineBreaks)})
        for (std::size_t i = 0, count = bases.size(); wanted && i < count; ++i)
            bases.push_back(bases[i].with({{{kind, 0}}}));
    // Tildes inside spans' runs may flank them only bare.
    for (std::size_t i = 0, count = bases.size(); tildes && i < count; ++i)
        bases.push_back(bases[i].with({{{InlineVariant::Change::Kind::bareOpeningTildes, 0},
                                        {InlineVariant::Change::Kind::bareClosingTildes, 0}}}));
    const std::size_t slots = spans.size() + strikethroughs;
    if (slots <= 12 && (bases.size() * 3 << slots) * size <= (std::size_t(1) << 20)) {
        Slots together;
        addChoicesTogether(together, {0, spans.size()}, {0, strikethroughs});
        for (const InlineVariant& from : bases)
            if (std::optional<InlineText> found = settle(container, from, together, search))
                return std::move(*found);
    }
    // More spans settle one at a time, in printing order, each on the choice of character and
    // joined literals that reads back furthest; or those under one child of the container at a
    // time; or, where runs nested deep under one child need their characters chosen together,
    // a few spans at a time in printing order. Each base takes all three before the next, so
    // that the first bases, which read back most often, get the budget.
    constexpr std::size_t window = 6;
    const std::size_t windows = (spans.size() + window - 1) / window;
    const bool oneAtATime = spans.size() * size < (std::size_t(1) << 15);
    Slots windowed;
    if (windows * (3 << window) * 2 * size <= (std::size_t(1) << 21))
        for (std::size_t first = 0; first < spans.size(); first += window)
            addChoicesTogether(windowed, {first, std::min(window, spans.size() - first)}, {0, 0});
    for (const InlineVariant& from : bases) {
        if (search.spent())
            break;
        if (oneAtATime) {
            if (std::optional<InlineText> found =
                    settleSpans(container, from, spans.size(), strikethroughs, search))
                return std::move(*found);
            if (std::optional<InlineText> found = settleGroups(container, from, search))
                return std::move(*found);
        }
        if (!windowed.empty())
            if (std::optional<InlineText> found = settle(container, from, windowed, search))
                return std::move(*found);
    }
    return first;
}

std::optional<InlineText> MarkupFormatter::settleSpans(const Markup& container,
                                                       const InlineVariant& base, std::size_t spans,
                                                       std::size_t strikethroughs,
                                                       InlineSearch& search) {
    Slots options;
    addSpanChoices(options, 0, spans, 0, strikethroughs);
    return settle(container, base, options, search);
}

std::optional<InlineText> MarkupFormatter::settleGroups(const Markup& container,
                                                        const InlineVariant& base,
                                                        InlineSearch& search) {
    // The spans under each child of the container choose together, every choice at once where
    // they are few: runs nested deep inside one another read back only so, and those of
    // different children hardly meet.
    Slots options;
    std::size_t span = 0;
    std::size_t strikethrough = 0;
    for (const RawMarkupPtr& child : container.raw().markup->children()) {
        const auto [spans, strikethroughs] = spansIn(*child);
        if (spans + strikethroughs > 8) {
            addSpanChoices(options, span, spans, strikethrough, strikethroughs);
        } else if (spans + strikethroughs > 0) {
            addChoicesTogether(options, {span, spans}, {strikethrough, strikethroughs});
        }
        span += spans;
        strikethrough += strikethroughs;
    }
    return settle(container, base, options, search);
}

std::optional<InlineText> MarkupFormatter::settle(const Markup& container,
                                                  const InlineVariant& base, const Slots& options,
                                                  InlineSearch& search) {
    // None chosen is the first guess.
    std::vector<std::optional<std::size_t>> chosen(options.size());
    auto variantOf = [&] {
        InlineVariant variant = base;
        for (std::size_t slot = 0; slot < options.size(); ++slot)
            if (chosen[slot])
                variant.changes.insert(variant.changes.end(), options[slot][*chosen[slot]].begin(),
                                       options[slot][*chosen[slot]].end());
        return variant;
    };
    // A second pass sees each slot against the others' settled choices; one slot has none. A
    // slot whose others have not changed since it settled would only settle the same again.
    std::size_t turn = 0;
    std::size_t changedAt = 0;
    std::vector<std::optional<std::size_t>> settledAt(options.size());
    for (int pass = 0; pass < (options.size() > 1 ? 2 : 1); ++pass)
        for (std::size_t slot = 0; slot < options.size(); ++slot, ++turn) {
            if (settledAt[slot] && changedAt <= *settledAt[slot])
                continue;
            const std::optional<std::size_t> settled = chosen[slot];
            std::size_t furthest = 0;
            std::optional<std::size_t> best = settled;
            for (std::size_t option = 0; option < options[slot].size(); ++option) {
                chosen[slot] = option;
                std::optional<InlineTry> attempt = tryInlines(container, variantOf(), search);
                if (!attempt)
                    return std::nullopt;
                if (attempt->reading.same)
                    return std::move(attempt->text);
                if (attempt->reading.agreeing > furthest) {
                    furthest = attempt->reading.agreeing;
                    best = option;
                }
            }
            chosen[slot] = best;
            settledAt[slot] = turn;
            if (best != settled)
                changedAt = turn;
        }
    return std::nullopt;
}

std::optional<MarkupFormatter::InlineTry> MarkupFormatter::tryInlines(const Markup& container,
                                                                      const InlineVariant& choices,
                                                                      InlineSearch& search) {
    if (search.spent())
        return std::nullopt;
    if (const InlineReading* known = search.readingOf(choices))
        return InlineTry{{}, *known, true};
    InlineGathering run;
    InlineTry attempt{gatherInlinesAs(container, choices, run), {}, false};
    // Printing the text costs about as much as parsing it.
    const std::size_t size = attempt.text.text().size() + 1;
    if (!search.spend(size))
        return std::nullopt;
    if (const InlineReading* known = search.readingOf(attempt.text.text())) {
        attempt.reading = *known;
        attempt.seen = true;
    } else {
        if (!search.spend(size))
            return std::nullopt;
        attempt.reading = readsBack(attempt.text, *container.raw().markup);
        search.keep(attempt.text.text(), attempt.reading);
        if (attempt.reading.same)
            foundChoices.emplace(container.raw().markup.get(), choices);
    }
    search.keep(choices, std::move(run.joinsThatAct), std::move(run.spanCharacters),
                attempt.reading);
    return attempt;
}

std::optional<InlineText> MarkupFormatter::searchInlines(const Markup& container,
                                                         const std::vector<InlineVariant>& steps,
                                                         const InlineVariant& base,
                                                         std::size_t size, InlineSearch& search) {
    // Each try prints and parses the whole run again: long runs get fewer.
    std::size_t gathers = std::min<std::size_t>(128, 1 + (std::size_t(1) << 23) / size);
    std::size_t parses = std::min<std::size_t>(48, 1 + (std::size_t(1) << 22) / size);
    if (!base.changes.empty()) {
        std::optional<InlineTry> attempt = tryInlines(container, base, search);
        if (!attempt)
            return std::nullopt;
        if (!attempt->seen && attempt->reading.same)
            return std::move(attempt->text);
    }
    // Greedy: each round keeps the step whose text reads back furthest, and tries the others on
    // top of it.
    InlineVariant current = base;
    for (int round = 0; round < 6; ++round) {
        std::optional<InlineVariant> further;
        InlineReading furthest;
        for (const InlineVariant& step : steps) {
            if (current.includes(step))
                continue;
            if (gathers-- == 0)
                return std::nullopt;
            InlineVariant choices = current.with(step);
            std::optional<InlineTry> attempt = tryInlines(container, choices, search);
            if (!attempt)
                return std::nullopt;
            if (attempt->seen)
                continue;
            if (attempt->reading.same)
                return std::move(attempt->text);
            if (attempt->reading.agreeing > furthest.agreeing) {
                further = std::move(choices);
                furthest = attempt->reading;
            }
            if (--parses == 0)
                return std::nullopt;
        }
        if (!further)
            break;
        current = std::move(*further);
    }
    // Some texts read back only with two changes made together, neither of which reads any
    // further alone (a closer that may open needs both another character and the literal after
    // it joined): short runs try every pair.
    gathers = std::min<std::size_t>(1024, 1 + (std::size_t(1) << 20) / size);
    parses = std::min<std::size_t>(256, 1 + (std::size_t(1) << 19) / size);
    for (std::size_t i = 0; i < steps.size(); ++i)
        for (std::size_t j = i + 1; j < steps.size(); ++j) {
            if (gathers-- == 0)
                return std::nullopt;
            std::optional<InlineTry> attempt =
                tryInlines(container, base.with(steps[i].with(steps[j])), search);
            if (!attempt)
                return std::nullopt;
            if (attempt->seen)
                continue;
            if (attempt->reading.same)
                return std::move(attempt->text);
            if (--parses == 0)
                return std::nullopt;
        }
    return std::nullopt;
}

InlineReading MarkupFormatter::readsBack(const InlineText& text, const RawMarkup& container) {
    std::string laidOut = text.laidOut({.linesStartBlocks = true, .wrapping = std::nullopt});
    keepFinalSpace(laidOut);
    // Read alone, the text would lose a byte order mark that opens it.
    referenceOpeningByteOrderMark(laidOut);
    return readBack(laidOut, container);
}

InlineText MarkupFormatter::gatherInlinesAs(const Markup& container, const InlineVariant& choices,
                                            InlineGathering& run) {
    // Each try prints with a gathering of its own, whatever run is open around the search.
    run.restart(choices);
    InlineGathering* const outer = std::exchange(tried, &run);
    run.inlines.emplace(std::exchange(spareInlines, {}));
    descendIntoInlines(container);
    InlineText text = std::move(*run.inlines);
    run.inlines.reset();
    run.variant = nullptr;
    tried = outer;
    for (const std::size_t span : text.metWatches())
        run.joinsThatAct.push_back({InlineVariant::Change::Kind::joinFollowing, span});
    if (choices.has(InlineVariant::Change::Kind::referencesBesideRuns))
        text.referenceCharacters(charactersToReference(text, run.runPlaces));
    return text;
}

} // namespace markdown
