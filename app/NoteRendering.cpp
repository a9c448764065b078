#include "app/NoteRendering.hpp"

#include "notes/EscapeHTML.hpp"

namespace app {

// The Markdown renderer is not part of the application yet. Until it is, a note shows as its
// plain text, so that folders can still be browsed and read.
reader::NoteRenderer noteRenderer() {
    return [](const std::string& text, const notes::RenderOptions&, const notes::LinkResolving&,
              const markdown::URL&) {
        return reader::RenderedNote{"<pre data-line=\"1\">" + notes::escapeHTML(text) + "</pre>",
                                    {}};
    };
}

} // namespace app
