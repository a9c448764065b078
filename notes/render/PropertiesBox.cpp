#include "notes/render/PropertiesBox.hpp"

#include "notes/render/Frontmatter.hpp"
#include "notes/text/EscapeHTML.hpp"

#include "Markdown/support/Overloaded.hpp"

namespace notes {

using markdown::Overloaded;

void writePropertiesBox(std::string& out, std::string_view frontmatterBlock,
                        const PropertyTextWriter& writeText) {
    const std::vector<Frontmatter::Property> properties = Frontmatter::parse(frontmatterBlock);
    if (properties.empty())
        return;
    out += "<details class=\"frontmatter\"><summary>Properties</summary>\n<table>\n";
    for (const Frontmatter::Property& property : properties) {
        out += "<tr><th>" + escapeHTML(property.key) + "</th><td>";
        std::visit(Overloaded{
                       [&](const Frontmatter::Text& value) { writeText(value.text); },
                       [&](const Frontmatter::List& value) {
                           for (const std::string& item : value.items) {
                               out += "<span class=\"chip\">";
                               writeText(item);
                               out += "</span>";
                           }
                       },
                       [&](const Frontmatter::Raw& value) {
                           out += "<pre>" + escapeHTML(value.text) + "</pre>";
                       },
                   },
                   property.value);
        out += "</td></tr>\n";
    }
    out += "</table></details>\n";
}

} // namespace notes
