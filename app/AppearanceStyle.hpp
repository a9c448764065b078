#pragma once

#include "reader/model/AppearanceMode.hpp"

#include <sigc++/connection.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// Makes the application light or dark as the mode says, whatever the desktop's theme:
/// `system` leaves the choice to the desktop. A theme that `GTK_THEME` names in the
/// environment is the toolkit's whatever its settings say, so it decides for every mode; the
/// settings are then made to agree with it, for the page, which reads them. Call after the
/// toolkit has started.
void applyAppearance(reader::AppearanceMode mode);

/// Whether the theme in force is dark: the one `gtkThemeVariable` (the value of `GTK_THEME`)
/// names, dark by its ":dark" variant or a "-dark" name; without one, the toolkit's theme,
/// dark by its name or by the application's preference for the dark variant.
[[nodiscard]] bool isDarkTheme(std::string_view gtkThemeVariable, std::string_view themeName,
                               bool prefersDark);

/// Whether the application is dark now, by `isDarkTheme` of the environment and the toolkit's
/// settings: the one decision that the window, the page and the editor all follow.
[[nodiscard]] bool isDarkAppearance();

/// Calls `changed` whenever the toolkit's settings may have turned the application light or
/// dark; disconnecting the connections ends it.
[[nodiscard]] std::vector<sigc::connection>
onAppearanceChanged(const std::function<void()>& changed);

/// The light sibling of a GTK theme: "Adwaita" for "Adwaita-dark"; a light theme is its own.
[[nodiscard]] std::string lightThemeName(std::string_view theme);

} // namespace app
