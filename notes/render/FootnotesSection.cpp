#include "notes/render/FootnotesSection.hpp"

namespace notes {

void writeFootnotesSection(std::string& out, const std::vector<Footnote>& footnotes,
                           const FootnoteDefinitions& definitions,
                           const FootnoteBodyWriter& writeBody) {
    if (footnotes.empty())
        return;
    out += "<section class=\"footnotes\">\n<ol>\n";
    for (const Footnote& footnote : footnotes) {
        const std::string body = writeBody(definitions.find(footnote.label).value_or(""));
        out += "<li id=\"" + footnote.noteId + "\">" + body + "<a href=\"#" +
               footnote.firstReferenceId +
               "\" class=\"footnote-back\" aria-label=\"Back to text\">↩</a></li>\n";
    }
    out += "</ol>\n</section>\n";
}

} // namespace notes
