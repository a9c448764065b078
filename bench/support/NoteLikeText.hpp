#pragma once

#include <cstddef>
#include <string>

namespace bench {

/// Notes as a personal vault holds them, end to end, for the printer: wikilinks, embeds,
/// callouts, highlights, footnotes, tight and loose lists nested three deep, tables and code,
/// with about a tenth of the text in scripts whose characters need the grapheme rules (Khmer and
/// Bengali, Khmer words parted by zero-width spaces) or are wide (Chinese, Japanese). At most
/// `size` bytes, cut at a line end; the same size always gives the same text.
[[nodiscard]] std::string noteLikeText(std::size_t size);

} // namespace bench
