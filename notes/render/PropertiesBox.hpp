#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace notes {

/// Writes one text of a property value the way the note's own text is written (wikilinks,
/// highlights, addresses, footnote references), appending to the same output the box goes
/// to. The renderer passes its inline text writer.
using PropertyTextWriter = std::function<void(std::string_view text)>;

/// Appends the closed "Properties" box for a front-matter block to `out`: one table row per
/// property, text values and list items (as chips) through `writeText`, keys and raw values
/// escaped. Appends nothing when the block has no property.
void writePropertiesBox(std::string& out, std::string_view frontmatterBlock,
                        const PropertyTextWriter& writeText);

} // namespace notes
