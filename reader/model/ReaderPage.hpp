#pragma once

#include "Markdown/support/URL.hpp"

#include <optional>
#include <string>

namespace reader {

/// What the web view shows: one rendering of a note and where to scroll once it is shown.
struct ReaderPage {
    markdown::URL fileURL;
    /// The note's rendered HTML fragment.
    std::string bodyHTML;
    /// The model's rendering count; a higher one for the same file means new content.
    int revision = 0;
    /// A heading id to scroll to.
    std::optional<std::string> anchor;
    /// A vertical offset to restore, in the page's units.
    std::optional<double> scroll;
    /// A 1-based source line to scroll to.
    std::optional<int> scrollLine;

    /// All six fields equal; offsets compare as numbers, so a NaN offset equals nothing.
    friend bool operator==(const ReaderPage&, const ReaderPage&) = default;
};

} // namespace reader
