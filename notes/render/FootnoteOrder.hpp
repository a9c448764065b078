#pragma once

#include "notes/render/UsedSlugs.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace notes {

/// One referenced footnote: its label, the id of its entry in the footnotes section and the
/// id of its first reference, which the entry links back to.
struct Footnote {
    std::string label;
    std::string noteId;
    std::string firstReferenceId;
};

/// One reference as written into the text.
struct FootnoteReference {
    std::size_t number = 0;  ///< The footnote's number, 1 for the first footnote referenced.
    std::string noteId;      ///< What the reference links to.
    std::string referenceId; ///< The reference's own id, unique on the page.
};

/// The footnotes of one rendering, numbered by their first reference. Labels compare
/// case-sensitively; canonically equivalent labels are one footnote. Ids are "fn-" and
/// "fnref-" followed by the label's slug, numbered on where the page has them already.
class FootnoteOrder {
public:
    /// `ids` holds the page's ids and outlives the order.
    explicit FootnoteOrder(UsedSlugs& ids) : ids_(ids) {}

    /// A reference to the label, taking the next number when the label is new.
    FootnoteReference reference(std::string_view label);

    /// The footnotes referenced so far, in the order of their first reference.
    [[nodiscard]] const std::vector<Footnote>& footnotes() const { return footnotes_; }

private:
    UsedSlugs& ids_;
    std::vector<Footnote> footnotes_;
    std::unordered_map<std::string, std::size_t> indices_; // keyed by the label in NFC
};

/// Appends the numbered superscript link of a footnote reference.
void writeFootnoteReference(std::string& out, const FootnoteReference& reference);

} // namespace notes
