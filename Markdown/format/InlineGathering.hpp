#pragma once

#include "Markdown/format/InlineReading.hpp"
#include "Markdown/format/InlineSearch.hpp"
#include "Markdown/format/InlineText.hpp"
#include "Markdown/format/InlineVariant.hpp"

#include <cstddef>
#include <optional>
#include <vector>

namespace markdown {

/// One printing of a run of inlines: where it stands as its elements are visited, and what it
/// tells the search for a reading once done. Each printing tried starts from a new one.
struct InlineGathering {
    /// The emphasis runs open around the inline being printed, and whether a word stands before
    /// the opener or after the closer.
    struct OpenDelimiter {
        char character = '*';
        bool wordBefore = false;
        bool wordAfter = false;
        /// Whether space (or a line's start or end) stands right before the opener, or right
        /// after the closer: there an escape inside the run makes no difference to it.
        bool spaceBefore = false;
        bool spaceAfter = false;
    };

    /// Empty again, to be printed with `choices`; the buffers stay for the next printing.
    void restart(const InlineVariant& choices) {
        variant = &choices;
        inlines.reset();
        openDelimiters.clear();
        strikethroughDepth = linkDepth = imageDepth = 0;
        spansPrinted = strikethroughsPrinted = codeSpansGathered = 0;
        runPlaces.clear();
        linkInLink = false;
        joinsThatAct.clear();
        spanCharacters.clear();
    }

    /// The choices the run is printed with; none is the first guess.
    const InlineVariant* variant = nullptr;
    std::optional<InlineText> inlines;
    std::vector<OpenDelimiter> openDelimiters;
    int strikethroughDepth = 0;
    int linkDepth = 0;
    int imageDepth = 0;
    /// The spans counted as they are printed, and where their runs stand.
    std::size_t spansPrinted = 0;
    std::size_t strikethroughsPrinted = 0;
    std::vector<DelimiterRunPlace> runPlaces;
    std::size_t codeSpansGathered = 0;
    bool linkInLink = false;
    /// The joins of literals that would change the run.
    std::vector<InlineVariant::Change> joinsThatAct;
    /// How each span chose its character.
    std::vector<InlineSearch::SpanCharacter> spanCharacters;
};

} // namespace markdown
