#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/render/OutlineHeading.hpp"
#include "notes/render/RenderOptions.hpp"
#include "notes/vault/LinkResolving.hpp"

#include <functional>
#include <string>
#include <vector>

namespace reader {

/// One note turned into what its page shows.
struct RenderedNote {
    /// The HTML fragment that goes inside the page's content element.
    std::string html;
    /// The note's headings in document order.
    std::vector<notes::OutlineHeading> headings;
};

/// Renders the whole text of the note at `fileURL` (line endings, byte-order mark and front
/// matter as they are in the file), resolving wikilinks through `resolver`. Never fails. Called
/// on background threads, several at once when windows render together. The application hands
/// the model the Markdown renderer through this.
using NoteRenderer =
    std::function<RenderedNote(const std::string& text, const notes::RenderOptions& options,
                               const notes::LinkResolving& resolver, const markdown::URL& fileURL)>;

} // namespace reader
