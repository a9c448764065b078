#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The first line of a callout: "[!kind]", an optional fold marker, an optional title, as in
/// "[!warning]- Careful". The renderer hands over the leading plain text of a block quote's
/// first paragraph; the rest of the title and of the quote is its business.
struct CalloutMarker {
    enum class Fold {
        none,     ///< No marker: a plain box.
        expanded, ///< "+": a foldable box, shown open.
        collapsed ///< "-": a foldable box, shown closed.
    };

    std::string kind; ///< Letters and "-" as written, lowercased.
    Fold fold = Fold::none;
    /// Byte offset in the marker line where the title's text begins, after the marker and
    /// the blanks that follow it.
    std::size_t titleOffset = 0;

    /// The marker of a callout, or nothing when the line does not begin with one
    /// ("[!my note]", "[!note2]" and " [!note]" are not callouts).
    [[nodiscard]] static std::optional<CalloutMarker> parse(std::string_view markerLine);

    /// The title of a callout whose first line has none: the kind with its first letter
    /// uppercased ("[!my-note]" gives "My-note").
    [[nodiscard]] std::string defaultTitle() const;

    /// The box's opening tag and its title's, up to the title:
    /// `<div class="callout" data-callout="note"><div class="callout-title">`; a foldable box
    /// is a "details" element with a "summary". `dataLine` is the block's data-line attribute
    /// text or "".
    [[nodiscard]] std::string openingHTML(std::string_view dataLine) const;

    /// Closes the title and opens the body: `</div>\n<div class="callout-body">\n`.
    [[nodiscard]] std::string bodyOpeningHTML() const;

    /// Closes the body and the box.
    [[nodiscard]] std::string closingHTML() const;

    friend bool operator==(const CalloutMarker&, const CalloutMarker&) = default;
};

} // namespace notes
