#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace notes {

/// The footnotes of one rendering, numbered by their first reference. Labels compare
/// case-sensitively; canonically equivalent labels are one footnote.
class FootnoteOrder {
public:
    /// The number of a reference to the label (1 for the first footnote referenced), taking the
    /// next number when the label is new.
    std::size_t reference(std::string_view label);

    /// The labels referenced so far, in the order of their first reference.
    [[nodiscard]] const std::vector<std::string>& labels() const { return labels_; }
    [[nodiscard]] bool empty() const { return labels_.empty(); }

private:
    std::vector<std::string> labels_;
    std::unordered_map<std::string, std::size_t> numbers_; // keyed by the label in NFC
};

/// Appends the numbered superscript link of a footnote reference.
void writeFootnoteReference(std::string& out, std::string_view label, std::size_t number);

} // namespace notes
