#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace reader {

/// The application's light or dark appearance: follow the system, or a fixed one. Stored
/// under the setting "appearance" by its raw value.
enum class AppearanceMode { system, light, dark };

/// Every mode in the order the settings show them.
inline constexpr std::array<AppearanceMode, 3> allAppearanceModes{
    AppearanceMode::system, AppearanceMode::light, AppearanceMode::dark};

/// The stored text of a mode ("system", "light", "dark"); also its identity.
[[nodiscard]] std::string_view rawValue(AppearanceMode mode);

/// The mode whose stored text is exactly `text`; none for any other text, other letter case
/// included, so that the caller falls back to its default.
[[nodiscard]] std::optional<AppearanceMode> appearanceModeFromRawValue(std::string_view text);

} // namespace reader
