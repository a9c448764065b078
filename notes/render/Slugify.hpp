#pragma once

#include <string>
#include <string_view>

namespace notes {

/// The anchor form of a heading or footnote label: lowercased, letters and numbers kept
/// (accented and non-Latin ones too, with their combining marks), each run of spaces, "-"
/// and "_" between them made one "-", everything else dropped. "Q&A: 1 + 2" gives
/// "qa-1-2"; a text with no letter or number gives "section".
[[nodiscard]] std::string slugify(std::string_view text);

} // namespace notes
