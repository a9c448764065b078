// The footnotes section after the note's last block.

#include "Markdown/elements/Document.hpp"
#include "notes/render/FootnotesSection.hpp"
#include "notes/render/HTMLWriter.hpp"

namespace notes {

void HTMLWriter::writeFootnotes() {
    writeFootnotesSection(
        out_, footnoteOrder_.footnotes(), footnoteDefs_, [this](std::string_view definition) {
            HTMLWriter body(*this, definition);
            const markdown::Document document = markdown::Document::parsing(definition);
            body.writeDocument(*document.raw().markup);
            return body.takeOut();
        });
}

} // namespace notes
