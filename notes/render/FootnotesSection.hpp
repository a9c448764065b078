#pragma once

#include "notes/render/FootnoteDefinitions.hpp"
#include "notes/render/FootnoteOrder.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

/// Writes one footnote's definition text as HTML blocks, on a writer of its own that gives no
/// source lines, numbers no further references and adds nothing to the note's outline.
using FootnoteBodyWriter = std::function<std::string(std::string_view definition)>;

/// Appends the section that lists the referenced footnotes in the order of their first
/// reference, each body followed by a link back to the text; nothing when none was referenced.
void writeFootnotesSection(std::string& out, const std::vector<Footnote>& footnotes,
                           const FootnoteDefinitions& definitions,
                           const FootnoteBodyWriter& writeBody);

} // namespace notes
