#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace notes {

/// What the page shows of a note's front matter. Stored in the settings under
/// "frontmatter" by raw value.
enum class FrontmatterMode {
    collapsed, ///< A closed, expandable Properties box.
    hidden     ///< Nothing.
};

/// Every case, in the order the settings list them.
inline constexpr std::array allFrontmatterModes{FrontmatterMode::collapsed,
                                                FrontmatterMode::hidden};

/// The raw value: "collapsed" or "hidden". It is also the case's identifier.
[[nodiscard]] std::string_view rawValue(FrontmatterMode mode);

/// The case whose raw value is exactly `text` (letter case included); nothing otherwise.
[[nodiscard]] std::optional<FrontmatterMode> frontmatterModeFromRawValue(std::string_view text);

} // namespace notes
