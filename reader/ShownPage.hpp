#pragma once

#include "Markdown/URL.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace reader {

/// What the web view is asked to show: one rendering of a note and where to start reading it.
/// The window fills it from the model's published page.
struct ShownPage {
    /// The note the page belongs to.
    markdown::URL fileURL;
    /// The note's rendered HTML fragment.
    std::string bodyHTML;
    /// The model's rendering counter; a new value for the same note means new content.
    std::int64_t revision = 0;
    /// The heading id to start at.
    std::optional<std::string> anchor;
    /// The vertical scroll offset to start at.
    std::optional<double> scroll;
    /// The 1-based source line to start at.
    std::optional<int> scrollLine;
};

} // namespace reader
