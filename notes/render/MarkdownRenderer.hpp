#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/render/OutlineHeading.hpp"
#include "notes/render/RenderOptions.hpp"
#include "notes/vault/LinkResolving.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

/// Turns the text of one note into the HTML fragment its page shows and its outline. Made for
/// one rendering and thrown away afterwards: nothing (heading anchors, footnote numbers)
/// carries over to the next.
struct MarkdownRenderer {
    struct Result {
        std::string html;                     ///< Goes inside the page's content element.
        std::vector<OutlineHeading> headings; ///< In document order.
    };

    RenderOptions options;
    /// Resolves wikilink targets; not owned, outlives the rendering. None: no wikilink
    /// resolves.
    const LinkResolving* resolver = nullptr;
    /// The note being rendered; wikilinks, embeds and root-relative images resolve from it.
    std::optional<markdown::URL> fileURL;

    /// The whole note as read from its file: CR LF or LF line ends, a byte-order mark and
    /// front matter as they are. The `data-line` attributes are line numbers of that text.
    /// Never fails; an empty text gives an empty fragment and outline.
    [[nodiscard]] Result render(std::string_view text) const;
};

} // namespace notes
