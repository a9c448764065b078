#pragma once

#include "Markdown/cmark/CMarkDocument.hpp"

#include <array>
#include <memory>
#include <string_view>

struct cmark_parser;

namespace markdown {

/// A cmark-gfm parser: made with option bits, given syntax extensions by name, fed text, finished
/// into a tree. The tree comes with our additions: the backtick count of every code span, the
/// attribute nodes of the "attribute" extension and, with `tableCellSpans`, the spans of table
/// cells (see `CMarkNode`). A parser allocates from an arena of its own, which the trees it
/// finishes keep.
///
/// A parser is used by one thread at a time; parsers on different threads may run at once (the
/// steps that touch the library's process-wide state are serialised inside).
class CMarkParser {
public:
    // Option bits; the first two are the library's own.
    static constexpr int sourcePositions = 1 << 1;
    static constexpr int smartPunctuation = 1 << 10;
    /// Records column and row spans of table cells (unknown to the library, which ignores it).
    static constexpr int tableCellSpans = 1 << 20;

    /// The extensions a note is parsed with: GitHub tables, strikethrough and task lists, and our
    /// attribute nodes.
    static constexpr std::array<std::string_view, 4> noteExtensions{"table", "strikethrough",
                                                                    "tasklist", "attribute"};

    /// Whether a finished tree comes with the backtick counts and cell spans recorded, or leaves
    /// them to a caller that walks the tree anyway (`convertCMarkDocument`).
    enum class Annotations { record, leaveToCaller };

    /// A parser with these option bits and no extension attached.
    explicit CMarkParser(int options);

    [[nodiscard]] int options() const { return optionBits; }
    /// Attaches the registered extension of that name; false when there is none.
    bool attachExtension(std::string_view name);
    /// Adds text (UTF-8) to what is being parsed.
    void feed(std::string_view text);
    /// Ends the parse and hands over its tree. The parser can then parse a new text with the same
    /// options and extensions.
    [[nodiscard]] CMarkDocument finish(Annotations annotations = Annotations::record);

    /// Parses a whole text with these options and `noteExtensions`.
    [[nodiscard]] static CMarkDocument parse(std::string_view text, int options,
                                             Annotations annotations = Annotations::record);

private:
    struct ParserDeleter {
        void operator()(cmark_parser* parser) const;
    };
    // Declared first so that it outlives the parser, which allocates from it.
    std::shared_ptr<CMarkArena> arena;
    std::unique_ptr<cmark_parser, ParserDeleter> parser;
    int optionBits;
};

} // namespace markdown
