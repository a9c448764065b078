#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace markdown {

/// Choices that change how a run of inline elements is printed where the printer's first guess
/// does not read back: delimiter characters of given emphasis spans, the literal before a span's
/// opening run joined to it or not, tildes and brackets in text left bare. Spans are counted in
/// printing order; a variant of no changes is the first guess.
struct InlineVariant {
    struct Change {
        enum class Kind { asterisk, underscore, joinLiteral, bareTildes, bareBrackets };
        Kind kind;
        std::size_t span = 0; // for the kinds that concern one span
        friend bool operator==(const Change&, const Change&) = default;
    };
    std::vector<Change> changes;

    /// The delimiter character chosen for the span, if any.
    [[nodiscard]] std::optional<char> characterOf(std::size_t span) const;
    /// Whether the span's opening run takes the other choice about the literal before it.
    [[nodiscard]] bool flipsJoin(std::size_t span) const;
    [[nodiscard]] bool has(Change::Kind kind) const;

    /// Variants to try, in order, at most `limit`: every change alone, then every two together.
    /// `spans` are the spans whose runs stand where the parser might read them otherwise.
    [[nodiscard]] static std::vector<InlineVariant>
    candidates(const std::vector<std::size_t>& spans, bool tildes, bool brackets,
               std::size_t limit);
};

} // namespace markdown
