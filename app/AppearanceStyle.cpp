#include "app/AppearanceStyle.hpp"

#include <gtkmm/settings.h>

namespace app {

namespace {

constexpr const char* preferDark = "gtk-application-prefer-dark-theme";

} // namespace

void applyAppearance(reader::AppearanceMode mode) {
    auto settings = Gtk::Settings::get_default();
    if (!settings)
        return;
    switch (mode) {
    case reader::AppearanceMode::system:
        settings->reset_property(preferDark);
        break;
    case reader::AppearanceMode::light:
        settings->property_gtk_application_prefer_dark_theme() = false;
        break;
    case reader::AppearanceMode::dark:
        settings->property_gtk_application_prefer_dark_theme() = true;
        break;
    }
}

} // namespace app
