#pragma once

#include "notes/render/FrontmatterMode.hpp"

namespace notes {

/// How the renderer treats front matter and single line breaks; set from the user's settings.
struct RenderOptions {
    FrontmatterMode frontmatter = FrontmatterMode::collapsed;
    /// A single line break inside a paragraph: a visible break when true, a line feed when false.
    bool softBreaksAsLineBreaks = false;

    friend bool operator==(const RenderOptions&, const RenderOptions&) = default;
};

} // namespace notes
