#include "notes/render/FootnoteOrder.hpp"

#include "notes/render/Slugify.hpp"

#include "Markdown/support/UnicodeText.hpp"

namespace notes {

FootnoteReference FootnoteOrder::reference(std::string_view label) {
    const std::string slug = slugify(label);
    // Every reference gets an id of its own; only the first is linked back to.
    std::string referenceId = ids_.uniqueId("fnref-" + slug);
    const auto [entry, added] = indices_.try_emplace(markdown::toNFC(label), footnotes_.size());
    if (added)
        footnotes_.push_back({std::string(label), ids_.uniqueId("fn-" + slug), referenceId});
    return {entry->second + 1, footnotes_[entry->second].noteId, std::move(referenceId)};
}

void writeFootnoteReference(std::string& out, const FootnoteReference& reference) {
    out += "<sup class=\"footnote-ref\"><a href=\"#" + reference.noteId + "\" id=\"" +
           reference.referenceId + "\">" + std::to_string(reference.number) + "</a></sup>";
}

} // namespace notes
