#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// Footnote label to definition text. Labels compare case-sensitively, and canonically
/// equivalent labels (an "é" typed as one character or as "e" and an accent) are one label.
class FootnoteDefinitions {
public:
    /// Stores the text under the label, replacing an earlier definition of that label.
    void set(std::string_view label, std::string text);

    /// The definition of the label, or nothing.
    [[nodiscard]] std::optional<std::string_view> find(std::string_view label) const;
    [[nodiscard]] bool contains(std::string_view label) const { return find(label).has_value(); }

    [[nodiscard]] std::size_t size() const { return byLabel_.size(); }
    [[nodiscard]] bool empty() const { return byLabel_.empty(); }

    friend bool operator==(const FootnoteDefinitions&, const FootnoteDefinitions&) = default;

private:
    std::map<std::string, std::string> byLabel_; // keyed by the label in NFC
};

} // namespace notes
