#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace markdown {

// The Markdown spellings of inline payloads that are printed as they are, not as text.

/// A code span of `code` opened by a backtick run no shorter than `minimumRun` that the code
/// does not hold, padded with a space on each side where the parser would strip one or glue a
/// backtick to the run. `inCell`: a "|" in the code is escaped, since it would end the cell.
[[nodiscard]] std::string codeSpan(std::string_view code, std::size_t minimumRun, bool inCell);

/// A link or image destination as it goes between the parentheses: in angle brackets where it
/// holds spaces or unbalanced parentheses; nothing for none.
[[nodiscard]] std::string linkDestination(const std::optional<std::string>& destination);
/// A link or image title in double quotes.
[[nodiscard]] std::string linkTitle(std::string_view title);

/// Whether `<destination>` reads back as an autolink to exactly that destination.
[[nodiscard]] bool isAutolinkable(std::string_view destination);

/// A code block's info string: backslashes and references escaped, so that it reads back as
/// itself.
[[nodiscard]] std::string infoString(std::string_view language);

} // namespace markdown
