#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

/// A text as the parser hands it over, read back the way the user typed it. Notes are parsed with
/// smart punctuation, which turns straight quotes into curly ones, "--" into "–", "---" into "—"
/// and "..." into "…"; addresses, link targets and footnote labels must be taken as typed, while
/// the text around them keeps its typographic form. A character the user typed curly is read
/// back straight too: the two cannot be told apart.
class TypedText {
public:
    explicit TypedText(std::string_view shown);

    /// The text with every substitution undone.
    [[nodiscard]] const std::string& text() const { return typed_; }

    /// The byte offset in the shown text that a byte offset of the typed text stands for. An
    /// offset inside the expansion of one character (between the dots of "...") gives the start
    /// of that character.
    [[nodiscard]] std::size_t shownOffset(std::size_t typedOffset) const;

private:
    std::string typed_;
    // The shown offset of every typed byte and of the end; empty when nothing was substituted.
    std::vector<std::size_t> shownOffsets_;
};

/// The text with the parser's typographic substitutions undone (see TypedText).
[[nodiscard]] std::string typedForm(std::string_view shown);

} // namespace notes
