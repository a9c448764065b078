#pragma once

#include "notes/render/InlineTextSpan.hpp"
#include "notes/render/TypedText.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

/// One construct found in a run of text.
struct InlineTextMatch {
    InlineTextKind kind = InlineTextKind::wikilink;
    std::size_t begin = 0; ///< Byte offset of the whole construct in the shown text.
    std::size_t end = 0;   ///< Byte offset just after it.
    /// Its content (body, label, highlighted text or address) as the text shows it.
    std::string_view shown;
    /// The same content as the user typed it (see TypedText): what is resolved or linked to.
    std::string typed;
};

/// Every construct in the text, left to right, none overlapping; where two could start at one
/// place, a wikilink or embed wins over a footnote reference, that over a highlight, and that
/// over an address. The text is searched as typed, so an address ends where its typed form
/// does: before a closing curly quote or "…" too. A bracket, "!" or "=" the user escaped
/// opens or closes nothing, and an escaped character in "http://" makes no address.
[[nodiscard]] std::vector<InlineTextMatch> findInlineText(const TypedText& text);

} // namespace notes
