#pragma once

#include "notes/render/MarkdownRenderer.hpp"

#include <string>
#include <string_view>

namespace notes::testing {

/// The fragment of a note rendered with the given options and no link index.
inline std::string renderedHTML(std::string_view text, RenderOptions options = {}) {
    return MarkdownRenderer{options, nullptr, std::nullopt}.render(text).html;
}

} // namespace notes::testing
