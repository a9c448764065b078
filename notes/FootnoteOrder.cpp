#include "notes/FootnoteOrder.hpp"

#include "notes/Slugify.hpp"

#include "Markdown/UnicodeText.hpp"

namespace notes {

std::size_t FootnoteOrder::reference(std::string_view label) {
    const auto [entry, added] = numbers_.try_emplace(markdown::toNFC(label), labels_.size() + 1);
    if (added)
        labels_.emplace_back(label);
    return entry->second;
}

void writeFootnoteReference(std::string& out, std::string_view label, std::size_t number) {
    const std::string slug = slugify(label);
    out += "<sup class=\"footnote-ref\"><a href=\"#fn-" + slug + "\" id=\"fnref-" + slug + "\">" +
           std::to_string(number) + "</a></sup>";
}

} // namespace notes
