#pragma once

#include "Markdown/support/URL.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace markdown {

/// The lines of a text, handed out one at a time as `TrimmedLine`s. A line ends at every
/// newline character: LF, VT, FF, CR, NEL (U+0085), LS (U+2028) or PS (U+2029), with CR LF
/// one break. Empty lines are kept, so n breaks give n + 1 lines. The lines are views of
/// `input`, which must outlive them.
struct LazySplitLines {
    class Iterator {
    public:
        Iterator(std::string_view input, std::optional<URL> source);

        /// The next line, numbered from 1 and parsed from its start; absent after the last.
        std::optional<TrimmedLine> next();

        /// Consecutive empty lines handed out so far, up to and including the last one
        /// (a line of spaces is not empty).
        std::int64_t precedingConsecutiveEmptyLineCount = 0;
        std::vector<std::string_view> rawLines;
        /// Position in `rawLines` of the next line to hand out.
        std::size_t index = 0;
        std::optional<URL> source;
    };

    /// Splits the input afresh for each iterator.
    [[nodiscard]] Iterator makeIterator() const { return Iterator(input, source); }

    std::string_view input;
    std::optional<URL> source;
};

} // namespace markdown
