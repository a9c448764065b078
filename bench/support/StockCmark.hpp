#pragma once

#include <cmark-gfm.h>

#include <memory>
#include <string>
#include <string_view>

namespace bench {

/// The stock cmark-gfm parser as the reference: the "table", "strikethrough" and "tasklist"
/// extensions attached and the option bits notes are parsed with (smart punctuation, source
/// positions), fed the whole text at once. It runs on the very library the project links (the
/// upstream source, unmodified), with the library's default allocator; should the project ever
/// patch that library, the reference needs a build of its own.
class StockCmark {
public:
    static constexpr int options = CMARK_OPT_SMART | CMARK_OPT_SOURCEPOS;

    /// Parses the text: a new parser, the extensions, one feed, finish.
    explicit StockCmark(std::string_view text);

    [[nodiscard]] cmark_node* root() const { return document.get(); }
    /// The stock HTML renderer's output for the parsed tree, with the same extensions.
    [[nodiscard]] std::string html() const;

private:
    struct ParserFree {
        void operator()(cmark_parser* parser) const { cmark_parser_free(parser); }
    };
    struct NodeFree {
        void operator()(cmark_node* node) const { cmark_node_free(node); }
    };

    // The renderer needs the parser's extension list, so the parser lives as long as the tree.
    std::unique_ptr<cmark_parser, ParserFree> parser;
    std::unique_ptr<cmark_node, NodeFree> document;
};

} // namespace bench
