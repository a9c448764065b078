#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace notes {

/// The block of properties a note may open with, between a "---" line and a "---" or "..."
/// line, read by a small line-based key/value format: no nesting, anchors, escapes or types.
struct Frontmatter {
    Frontmatter() = delete;

    /// A single text: an unquoted inline value, or a block introduced by "|" or ">".
    struct Text {
        std::string text;
        friend bool operator==(const Text&, const Text&) = default;
    };
    /// Texts of an inline "[a, b]" list or of a run of "- " lines.
    struct List {
        std::vector<std::string> items;
        friend bool operator==(const List&, const List&) = default;
    };
    /// Lines that are neither a list nor a "|" or ">" block: their common indentation
    /// removed, joined with line feeds.
    struct Raw {
        std::string text;
        friend bool operator==(const Raw&, const Raw&) = default;
    };
    using Value = std::variant<Text, List, Raw>;

    struct Property {
        std::string key; ///< Before the key line's first colon, trimmed; may be empty.
        Value value;
        friend bool operator==(const Property&, const Property&) = default;
    };

    struct Split {
        std::optional<std::string> block; ///< Nothing when the note has no front matter.
        std::string body;
        friend bool operator==(const Split&, const Split&) = default;
    };

    /// Cuts the front matter off a text with line feeds as line ends. The body keeps the
    /// text's line numbering: both delimiters and the block lines become empty lines. A text
    /// whose block is not closed has no front matter and comes back whole.
    [[nodiscard]] static Split split(std::string_view text);

    /// The block's properties in the order of their key lines; a repeated key gives a second
    /// property. Lines that belong to no key are dropped.
    [[nodiscard]] static std::vector<Property> parse(std::string_view block);
};

} // namespace notes
