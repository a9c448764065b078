#include "notes/LineWidth.hpp"

namespace notes {

std::string_view rawValue(LineWidth width) {
    switch (width) {
    case LineWidth::narrow:
        return "narrow";
    case LineWidth::medium:
        return "medium";
    case LineWidth::wide:
        return "wide";
    }
    return "medium";
}

std::optional<LineWidth> lineWidthFromRawValue(std::string_view text) {
    for (LineWidth width : allLineWidths) {
        if (rawValue(width) == text)
            return width;
    }
    return std::nullopt;
}

double pageMeasure(LineWidth width) {
    switch (width) {
    case LineWidth::narrow:
        return 33;
    case LineWidth::medium:
        return 37;
    case LineWidth::wide:
        return 44;
    }
    return 37;
}

} // namespace notes
