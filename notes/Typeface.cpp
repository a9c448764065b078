#include "notes/Typeface.hpp"

namespace notes {

std::string_view rawValue(Typeface typeface) {
    switch (typeface) {
    case Typeface::serif:
        return "serif";
    case Typeface::sans:
        return "sans";
    }
    return "serif";
}

std::optional<Typeface> typefaceFromRawValue(std::string_view text) {
    for (Typeface typeface : allTypefaces) {
        if (rawValue(typeface) == text)
            return typeface;
    }
    return std::nullopt;
}

} // namespace notes
