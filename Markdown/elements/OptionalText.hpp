#pragma once

#include <optional>
#include <string>

namespace markdown {

/// Absent for an absent or empty text: the optional strings of links and images never hold
/// the empty string.
inline std::optional<std::string> nonEmptyText(std::optional<std::string> text) {
    if (text && text->empty())
        return std::nullopt;
    return text;
}

} // namespace markdown
