#pragma once

#include "Markdown/tree/RawMarkup.hpp"

namespace notes {

/// Whether a list (its raw node, whose children are its items) is written without paragraphs,
/// by the rule the Markdown printer keeps too (`markdown::isTightList`): tight unless a blank
/// line separates two of its items or two blocks of one item.
[[nodiscard]] bool isTightList(const markdown::RawMarkup& list);

} // namespace notes
