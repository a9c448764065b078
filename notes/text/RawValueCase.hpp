#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace notes {

/// The case among `cases` whose `rawValue` is exactly `text`; nothing otherwise.
template <typename Enum>
[[nodiscard]] std::optional<Enum> caseWithRawValue(std::span<const Enum> cases,
                                                   std::string_view text) {
    for (Enum candidate : cases) {
        if (rawValue(candidate) == text)
            return candidate;
    }
    return std::nullopt;
}

} // namespace notes
