#pragma once

#include "notes/render/FootnoteDefinitions.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// A note's text made ready for the Markdown parser: CR LF pairs turned into line feeds, a
/// leading byte-order mark dropped, and the front matter and footnote definitions taken out.
/// The body has the lines of the file, so line N of the body is line N of the note.
struct PreparedNote {
    std::optional<std::string> frontmatter; ///< The front-matter block; nothing when none.
    std::string body;                       ///< What the parser reads.
    FootnoteDefinitions footnoteDefinitions;

    friend bool operator==(const PreparedNote&, const PreparedNote&) = default;
};

/// Never fails; an empty text gives an empty body.
[[nodiscard]] PreparedNote prepareNote(std::string_view text);

} // namespace notes
