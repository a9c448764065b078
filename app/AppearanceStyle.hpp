#pragma once

#include "reader/model/AppearanceMode.hpp"

#include <string>
#include <string_view>

namespace app {

/// Makes the application light or dark as the mode says, whatever the desktop's theme:
/// `system` leaves the choice to the desktop. The editor and the reading page follow the
/// toolkit's settings. Call after the toolkit has started. (`GTK_THEME` in the environment
/// still overrides every theme, as it does for every program.)
void applyAppearance(reader::AppearanceMode mode);

/// The light sibling of a GTK theme: "Adwaita" for "Adwaita-dark"; a light theme is its own.
[[nodiscard]] std::string lightThemeName(std::string_view theme);

} // namespace app
