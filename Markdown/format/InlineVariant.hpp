#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace markdown {

/// Choices that change how a run of inline elements is printed where the printer's first guess
/// does not read back: the delimiter character of an emphasis span, or of every span (runs nested
/// deep may only read back joined); the literal before its
/// opening run joined to it or not, or every literal of its character there; the literals right
/// after its closing run joined to it; tildes in text left bare right after opening runs, or right
/// before closing runs; strikethrough runs of one tilde where two would go, and of two where
/// one would; brackets in link text left bare; line breaks that only the directive road
/// knows left bare beside runs; the length of one strikethrough's runs; spans nested right
/// inside spans given their characters; tildes in text right outside runs left bare; the
/// characters beside runs
/// printed as references. Spans are counted in printing order; a variant of no changes is the first
/// guess.
struct InlineVariant {
    struct Change {
        enum class Kind {
            asterisk,
            underscore,
            allAsterisks,
            allUnderscores,
            joinLiteral,
            joinLiterals,
            joinFollowing,
            bareOpeningTildes,
            bareClosingTildes,
            oddStrikethroughRuns,
            bareBrackets,
            bareLineBreaks,
            oneTilde,
            nestedAlike,
            bareTildesBesideRuns,
            twoTildes,
            referencesBesideRuns,
            escapedBrackets
        };
        Kind kind;
        std::size_t span = 0; // for the kinds that concern one span
        friend bool operator==(const Change&, const Change&) = default;
    };
    std::vector<Change> changes;

    /// The delimiter character chosen for the span, if any.
    [[nodiscard]] std::optional<char> characterOf(std::size_t span) const {
        return changes.empty() ? std::nullopt : chosenCharacter(span);
    }
    /// The length of run chosen for a strikethrough, counted in printing order, if any.
    [[nodiscard]] std::optional<std::size_t> tildesOf(std::size_t strikethrough) const {
        if (has(Change::Kind::oneTilde, strikethrough))
            return 1;
        return has(Change::Kind::twoTildes, strikethrough) ? std::optional<std::size_t>(2)
                                                           : std::nullopt;
    }
    /// The delimiter character chosen for every span not named on its own, if any.
    [[nodiscard]] std::optional<char> characterOfEverySpan() const;
    [[nodiscard]] bool has(Change::Kind kind, std::size_t span = 0) const {
        return !changes.empty() && holds({kind, span});
    }

    /// Whether every change of `other` is one of these.
    [[nodiscard]] bool includes(const InlineVariant& other) const;
    /// These changes with those of `step`, whose characters win.
    [[nodiscard]] InlineVariant with(const InlineVariant& step) const;

    /// The steps a search may take, each a variant of one change. `spans` are the spans whose runs
    /// stand where the parser might read them otherwise; `tildes` and `brackets` whether bare ones
    /// may help.
    [[nodiscard]] static std::vector<InlineVariant>
    steps(const std::vector<std::size_t>& spans, bool tildes, bool brackets, bool lineBreaks);

    /// Spans (or strikethroughs) counted in printing order from `first`.
    struct Range {
        std::size_t first = 0;
        std::size_t count = 0;
    };
    /// A character for each of `spans` at once, an underscore where the span's bit of `bits` is
    /// set, and a length for each of `strikethroughs`, one tilde where its bit (after the spans')
    /// is set; with `join`, that change for every span too.
    [[nodiscard]] static InlineVariant everySpan(Range spans, Range strikethroughs,
                                                 std::size_t bits,
                                                 std::optional<Change::Kind> join);

private:
    [[nodiscard]] std::optional<char> chosenCharacter(std::size_t span) const;
    [[nodiscard]] bool holds(const Change& change) const;
};

} // namespace markdown
