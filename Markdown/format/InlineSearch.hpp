#pragma once

#include "Markdown/format/InlineReading.hpp"
#include "Markdown/format/InlineVariant.hpp"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace markdown {

/// What one search for a printing that reads back has spent and read. Every try prints the
/// whole run of inlines and most parse it again, so one budget of bytes printed and parsed
/// bounds all the steps of a search, the later steps getting what the earlier ones left; and
/// a text printed again by other choices is not parsed again, nor printed where the choices
/// differ from those of an earlier try only in joins that joined nothing there.
class InlineSearch {
public:
    explicit InlineSearch(std::size_t budget) : left(budget) {}

    /// Takes `bytes` from the budget; where fewer are left, false, and the budget is spent.
    bool spend(std::size_t bytes);
    [[nodiscard]] bool spent() const { return left == 0; }
    /// How a text read before read back, if it was.
    [[nodiscard]] const InlineReading* readingOf(const std::string& text) const;
    void keep(const std::string& text, InlineReading reading);

    /// How each emphasis span of a gathered text chose its character: the one it printed, the
    /// one it would print where the choices named none for it, and whether a named one counts
    /// (a span joined to its parent's run takes the parent's).
    struct SpanCharacter {
        char chosen = '*';
        char unnamed = '*';
        bool namedCounts = true;
    };
    /// How the text printed with `choices` reads back, where a try printed the same text: its
    /// choices the same but for characters that came out as that try's spans printed them and
    /// joins of literals that would have changed nothing in its text.
    [[nodiscard]] const InlineReading* readingOf(const InlineVariant& choices) const;
    /// Keeps how the text printed with `choices` read back, how its spans chose their
    /// characters, and the joins of literals (of any span, held by `choices` or not) that would
    /// change that text.
    void keep(const InlineVariant& choices, std::vector<InlineVariant::Change> joinsThatAct,
              std::vector<SpanCharacter> spans, InlineReading reading);

private:
    struct Printed {
        std::vector<InlineVariant::Change> joins;        // ordered
        std::vector<InlineVariant::Change> joinsThatAct; // ordered
        std::vector<SpanCharacter> spans;
        InlineReading reading;
    };
    [[nodiscard]] bool printsAlike(const InlineVariant& choices, const Printed& try_) const;

    std::size_t left;
    std::unordered_map<std::string, InlineReading> readings;
    std::vector<Printed> tries;
    // Tries by their choices other than joins, in their order; and by the choices that name
    // neither a span's character nor a join, with the characters their spans printed.
    std::unordered_map<std::string, std::vector<std::size_t>> byChoices;
    std::unordered_map<std::string, std::vector<std::size_t>> byCharacters;
    // The last try kept of the choices that name neither a span's character nor a join.
    std::unordered_map<std::string, std::size_t> lastOfOthers;
};

} // namespace markdown
