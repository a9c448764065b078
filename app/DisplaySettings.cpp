#include "app/DisplaySettings.hpp"

#include <algorithm>
#include <cmath>

namespace app {

namespace {

template <typename Case, typename FromRaw>
Case stored(const notes::Settings& settings, const char* key, FromRaw fromRaw, Case fallback) {
    if (auto text = settings.string(key)) {
        if (auto value = fromRaw(*text))
            return *value;
    }
    return fallback;
}

} // namespace

DisplaySettings DisplaySettings::read(const notes::Settings& settings) {
    DisplaySettings display;
    display.typeface = stored(settings, "typeface", notes::typefaceFromRawValue, display.typeface);
    display.lineWidth =
        stored(settings, "lineWidth", notes::lineWidthFromRawValue, display.lineWidth);
    display.appearance =
        stored(settings, "appearance", reader::appearanceModeFromRawValue, display.appearance);
    display.frontmatter =
        stored(settings, "frontmatter", notes::frontmatterModeFromRawValue, display.frontmatter);
    if (auto scale = settings.number("textScale"); scale && std::isfinite(*scale))
        display.textScale = std::clamp(*scale, minimumTextScale, maximumTextScale);
    display.softBreaks = settings.boolean("softBreaks").value_or(display.softBreaks);
    display.showOutline = settings.boolean("showOutline").value_or(display.showOutline);
    return display;
}

} // namespace app
