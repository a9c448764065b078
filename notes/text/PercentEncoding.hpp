#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The bytes as a URL path: letters, digits and !$&'()*+,-./:=@_~ stay, every other byte
/// (a space, "#", "?", "%", ";", each byte of a non-ASCII character, invalid UTF-8 alike)
/// becomes %XX with upper-case hexadecimal digits.
[[nodiscard]] std::string percentEncodePath(std::string_view bytes);

/// The bytes as the value of a query item ("name=value"): letters, digits and
/// !$'()*+,-./:;=?@_~ stay, every other byte ("&", a space, "#", "%", non-ASCII) becomes %XX
/// with upper-case hexadecimal digits.
[[nodiscard]] std::string percentEncodeQueryValue(std::string_view bytes);

/// The text with every %XX replaced by its byte; nothing when a "%" is not followed by two
/// hexadecimal digits.
[[nodiscard]] std::optional<std::string> percentDecode(std::string_view text);

} // namespace notes
