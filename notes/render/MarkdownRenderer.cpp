#include "notes/render/MarkdownRenderer.hpp"

#include "Markdown/elements/Document.hpp"
#include "notes/render/HTMLWriter.hpp"
#include "notes/render/PreparedNote.hpp"

namespace notes {

MarkdownRenderer::Result MarkdownRenderer::render(std::string_view text) const {
    const PreparedNote note = prepareNote(text);
    HTMLWriter writer(*this, note.footnoteDefinitions, note.body);
    if (note.frontmatter && options.frontmatter == FrontmatterMode::collapsed)
        writer.writeProperties(*note.frontmatter);
    const markdown::Document document = markdown::Document::parsing(note.body);
    writer.writeDocument(*document.raw().markup);
    writer.writeFootnotes();
    return {writer.takeOut(), writer.takeHeadings()};
}

} // namespace notes
