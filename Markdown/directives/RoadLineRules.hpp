#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace markdown {

// How the block-directive road reads a line before any CommonMark parse: the parser's road
// follows these rules, and the printer asks them how the road will read what it prints.

/// Whether the road takes the line for a code fence, which flips its toggle: spaces and tabs,
/// then three backticks or three tildes, each a whole character (however deep the indentation:
/// that is for the caller).
[[nodiscard]] bool readsAsRoadFence(std::string_view line);

/// The Doxygen commands the road reads.
enum class DoxygenCommandName { param, discussion, note, abstract, returns };

/// The command a word after an at sign or a backslash names, its letters in either case; none
/// for any other word.
[[nodiscard]] std::optional<DoxygenCommandName> doxygenCommandNamed(std::string_view word);

/// How many characters of `rest` stand before its first ")" outside double quotes and not after
/// a backslash: the argument text one line gives. Quotes do not carry over from line to line.
[[nodiscard]] std::int64_t argumentTextLength(std::string_view rest);

} // namespace markdown
