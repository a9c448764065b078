#pragma once

#include "Markdown/tree/RawMarkup.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What the printer's concerns share about the text they print.

namespace markdown {

// States of the road's fence toggle, as bits of a set.
inline constexpr std::uint8_t offState = 1;
inline constexpr std::uint8_t onState = 2;
inline constexpr std::uint8_t eitherState = offState | onState;

constexpr std::uint8_t stateBit(bool inCode) {
    return inCode ? onState : offState;
}

// The span of a strikethrough's runs, which have no choices.
inline constexpr std::size_t noSpan = static_cast<std::size_t>(-1);

// Code as an indented block: `indent` before every line that is not empty.
[[nodiscard]] std::string indentedCode(std::string_view code, std::string_view indent = "    ");

[[nodiscard]] inline bool isDelimited(const RawMarkup& node) {
    return node.kind() == RawMarkupKind::emphasis || node.kind() == RawMarkupKind::strong;
}

[[nodiscard]] inline std::size_t runLengthOf(const RawMarkup& node) {
    return node.kind() == RawMarkupKind::strong ? 2 : 1;
}

[[nodiscard]] inline bool isList(RawMarkupKind kind) {
    return kind == RawMarkupKind::orderedList || kind == RawMarkupKind::unorderedList;
}

// A block's text is trimmed of vertical tabs and form feeds at its end; a reference keeps one
// (and a backslash before it stays one).
void keepFinalSpace(std::string& laidOut);

[[nodiscard]] std::string_view withoutFinalLineEnds(std::string_view text);

// Whether a note's reader takes the paragraph's first line for a footnote definition
// ("[^label]:" at a line's start), which the indented lines after it continue.
[[nodiscard]] bool opensFootnoteDefinition(std::string_view text);

} // namespace markdown
