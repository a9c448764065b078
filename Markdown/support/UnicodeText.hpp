#pragma once

#include <string>
#include <string_view>

namespace markdown {

/// U+FEFF in UTF-8, which a text may open with to say it is UTF-8 and which is no part of it.
inline constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

/// True when the two UTF-8 texts are canonically equivalent (NFC of one equals NFC of the
/// other). Letter case matters. Ill-formed UTF-8 compares byte for byte.
[[nodiscard]] bool canonicallyEqual(std::string_view a, std::string_view b);

/// True when the bytes are well-formed UTF-8.
[[nodiscard]] bool isWellFormedUTF8(std::string_view text);

/// The text in Normalization Form C; ill-formed UTF-8 is returned unchanged.
[[nodiscard]] std::string toNFC(std::string_view text);

} // namespace markdown
