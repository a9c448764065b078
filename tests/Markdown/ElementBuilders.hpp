#pragma once

// Small trees for tests, built through the element constructors.

#include "Markdown/elements/Elements.hpp"
#include "Markdown/elements/MarkupWalker.hpp"

#include "RawBuilders.hpp"

#include <vector>

namespace markdown::testing {

inline std::int64_t childIdOf(const Markup& markup) {
    return markup.raw().metadata.id.childId;
}

/// A document over raw nodes that carry ranges, as a parser would make them.
inline Document parsedDocument() {
    auto first = rawParagraph({rawText("one", range(1, 1, 1, 4))}, range(1, 1, 1, 4));
    auto quote = rawNode(RawMarkupData::BlockQuote{},
                         {rawParagraph({rawText("two", range(3, 3, 3, 6))}, range(3, 3, 3, 6))},
                         range(3, 1, 3, 6));
    return Document::fromRaw(rawNode(RawMarkupData::Document{}, {first, quote}, range(1, 1, 3, 6)));
}

using Ranges = std::vector<std::optional<SourceRange>>;

/// Every range of the tree, the root's first, in document order; none for an element without one.
inline Ranges rangesIn(const Markup& root) {
    struct Collector : MarkupWalker {
        Ranges ranges;
        void visit(const Markup& markup) override {
            ranges.push_back(markup.range());
            MarkupWalker::visit(markup);
        }
    } collector;
    collector.visit(root);
    return collector.ranges;
}

} // namespace markdown::testing
