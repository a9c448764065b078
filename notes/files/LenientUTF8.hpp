#pragma once

#include <string>
#include <string_view>

namespace notes {

/// The bytes as UTF-8 text, each ill-formed sequence (its longest invalid start) replaced by
/// U+FFFD, so that text meant for display never fails on its encoding. NUL bytes stay.
[[nodiscard]] std::string replacingInvalidUTF8(std::string_view bytes);

} // namespace notes
