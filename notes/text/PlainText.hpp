#pragma once

#include <optional>
#include <string>
#include <string_view>

// Small operations on UTF-8 text that link targets and names need.
namespace notes {

/// True when every byte is below 0x80.
[[nodiscard]] bool isASCII(std::string_view text);

/// The text in lower case by the Unicode rules, independent of the user's language. Bytes of
/// ill-formed UTF-8 are kept, with only their ASCII letters lowered.
[[nodiscard]] std::string lowercased(std::string_view text);
/// The same into `out`, replacing what it held: reusing one buffer saves an allocation per text.
void lowercaseInto(std::string_view text, std::string& out);

/// The text with every "%XX" escape replaced by its byte; none when an escape is malformed or the
/// bytes are not well-formed UTF-8.
[[nodiscard]] std::optional<std::string> percentDecoded(std::string_view text);

} // namespace notes
