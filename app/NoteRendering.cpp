#include "app/NoteRendering.hpp"

#include "notes/render/MarkdownRenderer.hpp"

namespace app {

reader::NoteRenderer noteRenderer() {
    return [](const std::string& text, const notes::RenderOptions& options,
              const notes::LinkResolving& resolver, const markdown::URL& fileURL) {
        auto rendered = notes::MarkdownRenderer{options, &resolver, fileURL}.render(text);
        return reader::RenderedNote{std::move(rendered.html), std::move(rendered.headings)};
    };
}

} // namespace app
