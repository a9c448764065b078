#pragma once

#include "Markdown/tree/RawMarkup.hpp"

namespace markdown {

/// Whether a list (its raw node, whose children are its items) reads as tight, its items'
/// paragraphs shown without paragraph breaks: true unless a blank line (by the source lines of
/// the blocks) separates two of its items or two blocks of one item. Items or blocks without a
/// source range never make a list loose.
[[nodiscard]] bool isTightList(const RawMarkup& list);

/// Whether at least one blank line lies between two neighbouring blocks: both have a source
/// range and `next` starts two or more lines after `previous` ends.
[[nodiscard]] bool blankLineBetween(const RawMarkup& previous, const RawMarkup& next);

} // namespace markdown
