#pragma once

#include "notes/render/FootnoteDefinitions.hpp"

#include <string>
#include <string_view>

namespace notes {

struct ExtractedFootnotes {
    /// The text with every definition line (first and continuation lines) made empty, so
    /// that it has as many lines as the text and every other line keeps its number.
    std::string body;
    FootnoteDefinitions definitions;
};

/// Takes the footnote definitions ("[^label]: text" in the first column, continued by lines
/// indented four spaces or a tab, or two spaces before any blank line) out of a text with
/// line feeds as line ends. Lines inside fenced code blocks are never definitions. When a
/// label is defined twice, the last definition wins.
[[nodiscard]] ExtractedFootnotes extractFootnotes(std::string_view text);

} // namespace notes
