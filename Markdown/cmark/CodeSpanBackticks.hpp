#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

struct cmark_node;

namespace markdown {

/// Records on code spans the length of the backtick run that opens each, given the spans of a
/// tree in document order.
///
/// The parser keeps neither the run nor a usable source position (its columns are off on
/// continuation lines, after block-quote markers and in table cells with escaped pipes), so each
/// span is found again in the content of the block or attribute node whose text holds it, where
/// the parser's own line and column arithmetic is exact, and checked against its literal.
class CodeSpanBackticks {
public:
    void record(cmark_node* codeSpan);
    /// At each node's exit (before the node goes): drops what was kept of its text, its spans
    /// being all recorded, so that what is kept stays as small as the nesting.
    void forget(cmark_node* owner);

    // The text one inline parse ran over (the parser ends each of its lines with a line feed
    // alone, whatever the note's line endings), and how far the spans found in it so far reach.
    struct Content {
        std::string_view text;
        std::vector<std::size_t> lineStarts; // found so far
        std::size_t scanned = 0;             // how far they have been looked for
        std::size_t resumeAt = 0;
        // Lines the parser failed to count before the last span (after a backslash line break or
        // a title across lines); it only grows along the text.
        std::size_t uncountedLines = 0;
    };

private:
    std::vector<std::pair<cmark_node*, Content>> contents;
};

/// Records the backtick count on every code span below `root`.
void recordBacktickCounts(cmark_node* root);

} // namespace markdown
