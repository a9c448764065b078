#pragma once

#include "Markdown/tree/SourceRange.hpp"

namespace markdown {

/// The extent of everything converted so far: the smallest range covering every range added.
struct RangeTracker {
    /// Widens `totalRange` to cover `range`. On equal lower bounds the tracker keeps its own,
    /// on equal upper bounds it takes the added one (they can differ only in their source).
    void add(const SourceRange& range);

    SourceRange totalRange;
};

} // namespace markdown
