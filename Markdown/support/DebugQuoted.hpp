#pragma once

#include <string>
#include <string_view>

namespace markdown {

/// The text in double quotes, with quotes, backslashes, line feeds, carriage returns and tabs
/// escaped by a backslash: how diagnostic dumps show a string.
[[nodiscard]] std::string debugQuoted(std::string_view text);

} // namespace markdown
