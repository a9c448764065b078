#include "notes/FootnotesSection.hpp"

#include "notes/Slugify.hpp"

namespace notes {

void writeFootnotesSection(std::string& out, const std::vector<std::string>& labels,
                           const FootnoteDefinitions& definitions,
                           const FootnoteBodyWriter& writeBody) {
    if (labels.empty())
        return;
    out += "<section class=\"footnotes\">\n<ol>\n";
    for (const std::string& label : labels) {
        const std::string slug = slugify(label);
        const std::string body = writeBody(definitions.find(label).value_or(""));
        out += "<li id=\"fn-" + slug + "\">" + body + "<a href=\"#fnref-" + slug +
               "\" class=\"footnote-back\" aria-label=\"Back to text\">↩</a></li>\n";
    }
    out += "</ol>\n</section>\n";
}

} // namespace notes
