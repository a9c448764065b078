#pragma once

#include "Markdown/elements/Elements.hpp"

#include <span>

namespace notes {

/// Whether a list is written without paragraphs: true unless a blank line (by the source
/// lines of the blocks) separates two of its items or two blocks of one item. Items or
/// blocks without a source range never make a list loose.
[[nodiscard]] bool isTightList(std::span<const markdown::ListItem> items);

/// Whether at least one blank line lies between two neighbouring blocks: both have a source
/// range and `next` starts two or more lines after `previous` ends.
[[nodiscard]] bool blankLineBetween(const markdown::Markup& previous, const markdown::Markup& next);

} // namespace notes
