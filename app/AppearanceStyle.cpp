#include "app/AppearanceStyle.hpp"

#include <gtkmm/settings.h>

#include <algorithm>
#include <cctype>

namespace app {

namespace {

constexpr const char* preferDark = "gtk-application-prefer-dark-theme";
constexpr const char* themeName = "gtk-theme-name";
constexpr std::string_view darkSuffix = "-dark";

bool hasDarkSuffix(std::string_view theme) {
    return theme.size() > darkSuffix.size() &&
           std::ranges::equal(
               theme.substr(theme.size() - darkSuffix.size()), darkSuffix,
               [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

} // namespace

std::string lightThemeName(std::string_view theme) {
    if (hasDarkSuffix(theme))
        theme.remove_suffix(darkSuffix.size());
    return std::string(theme);
}

void applyAppearance(reader::AppearanceMode mode) {
    auto settings = Gtk::Settings::get_default();
    if (!settings)
        return;
    // Back to the desktop's own choice, from which a fixed mode departs.
    settings->reset_property(preferDark);
    settings->reset_property(themeName);
    switch (mode) {
    case reader::AppearanceMode::system:
        break;
    case reader::AppearanceMode::light: {
        // A dark theme such as "Adwaita-dark" ignores the preference; its light sibling
        // does not.
        const Glib::ustring desktopTheme = settings->property_gtk_theme_name();
        const std::string light = lightThemeName(desktopTheme.raw());
        if (light != desktopTheme.raw())
            settings->property_gtk_theme_name() = light;
        settings->property_gtk_application_prefer_dark_theme() = false;
        break;
    }
    case reader::AppearanceMode::dark:
        settings->property_gtk_application_prefer_dark_theme() = true;
        break;
    }
}

} // namespace app
