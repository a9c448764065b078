#pragma once

#include <string>
#include <string_view>

namespace notes {

/// Note text made safe as HTML text or as a double-quoted attribute value: "&", "<", ">"
/// and '"' become entities, everything else (the apostrophe included) stays.
/// Works per code point, so a quote followed by a combining mark is escaped too.
[[nodiscard]] std::string escapeHTML(std::string_view text);

/// The same, appended to `out`: no string of its own for each run of text.
void appendEscapedHTML(std::string& out, std::string_view text);

} // namespace notes
