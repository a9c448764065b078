#include "notes/PropertiesBox.hpp"

#include "notes/EscapeHTML.hpp"
#include "notes/Frontmatter.hpp"

namespace notes {
namespace {

template <typename... Cases> struct Overloaded : Cases... { using Cases::operator()...; };
// Spelled out for compilers that do not deduce an aggregate's arguments (clang before 17).
template <typename... Cases> Overloaded(Cases...) -> Overloaded<Cases...>;

} // namespace

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
