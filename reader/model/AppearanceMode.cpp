#include "reader/model/AppearanceMode.hpp"

namespace reader {

std::string_view rawValue(AppearanceMode mode) {
    switch (mode) {
    case AppearanceMode::system:
        return "system";
    case AppearanceMode::light:
        return "light";
    case AppearanceMode::dark:
        return "dark";
    }
    return "system";
}

std::optional<AppearanceMode> appearanceModeFromRawValue(std::string_view text) {
    for (auto mode : allAppearanceModes) {
        if (rawValue(mode) == text)
            return mode;
    }
    return std::nullopt;
}

} // namespace reader
