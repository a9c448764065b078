#include "app/AppearanceStyle.hpp"

#include <glib.h>
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

// GTK reads the variable as "NAME" or "NAME:VARIANT"; an empty one names no theme.
std::string_view themeVariable() {
    const char* value = g_getenv("GTK_THEME");
    return value ? value : "";
}

// Settings that every reader of them takes as light or dark: the page reads the preference
// and the theme's name.
void agreeWith(Gtk::Settings& settings, bool dark) {
    if (!dark) {
        const Glib::ustring theme = settings.property_gtk_theme_name();
        const std::string light = lightThemeName(theme.raw());
        if (light != theme.raw())
            settings.property_gtk_theme_name() = light;
    }
    settings.property_gtk_application_prefer_dark_theme() = dark;
}

} // namespace

std::string lightThemeName(std::string_view theme) {
    if (hasDarkSuffix(theme))
        theme.remove_suffix(darkSuffix.size());
    return std::string(theme);
}

bool isDarkTheme(std::string_view gtkThemeVariable, std::string_view theme, bool prefersDark) {
    if (gtkThemeVariable.empty())
        return prefersDark || hasDarkSuffix(theme);
    const std::size_t colon = gtkThemeVariable.rfind(':');
    if (colon == std::string_view::npos)
        return hasDarkSuffix(gtkThemeVariable);
    return gtkThemeVariable.substr(colon + 1) == "dark" ||
           hasDarkSuffix(gtkThemeVariable.substr(0, colon));
}

bool isDarkAppearance() {
    auto settings = Gtk::Settings::get_default();
    if (!settings)
        return isDarkTheme(themeVariable(), "", false);
    const Glib::ustring theme = settings->property_gtk_theme_name();
    return isDarkTheme(themeVariable(), theme.raw(),
                       settings->property_gtk_application_prefer_dark_theme());
}

std::vector<sigc::connection> onAppearanceChanged(const std::function<void()>& changed) {
    auto settings = Gtk::Settings::get_default();
    if (!settings)
        return {};
    return {
        settings->property_gtk_theme_name().signal_changed().connect(changed),
        settings->property_gtk_application_prefer_dark_theme().signal_changed().connect(changed)};
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
    case reader::AppearanceMode::light:
        // A dark theme such as "Adwaita-dark" ignores the preference; its light sibling
        // does not.
        agreeWith(*settings, false);
        break;
    case reader::AppearanceMode::dark:
        agreeWith(*settings, true);
        break;
    }
    // The toolkit draws the theme the variable names and ignores its settings.
    if (!themeVariable().empty())
        agreeWith(*settings, isDarkAppearance());
}

} // namespace app
