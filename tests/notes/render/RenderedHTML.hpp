#pragma once

#include "notes/render/MarkdownRenderer.hpp"

#include <string>
#include <string_view>

namespace notes::testing {

/// The fragment of a note rendered with the given options and no link index.
inline std::string renderedHTML(std::string_view text, RenderOptions options = {}) {
    return MarkdownRenderer{options, nullptr, std::nullopt}.render(text).html;
}

/// How often `piece` stands in `text`, without overlaps.
inline std::size_t occurrences(std::string_view text, std::string_view piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string_view::npos;
         at = text.find(piece, at + piece.size()))
        ++count;
    return count;
}

} // namespace notes::testing
