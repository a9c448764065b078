#include "notes/page/LineWidth.hpp"

#include "notes/text/RawValueCase.hpp"

namespace notes {

namespace {

struct Width {
    std::string_view rawValue;
    double measure; // rem
};

Width widthOf(LineWidth width) {
    switch (width) {
    case LineWidth::narrow:
        return {"narrow", 33};
    case LineWidth::wide:
        return {"wide", 44};
    case LineWidth::medium:
        break;
    }
    return {"medium", 37};
}

} // namespace

std::string_view rawValue(LineWidth width) {
    return widthOf(width).rawValue;
}

double pageMeasure(LineWidth width) {
    return widthOf(width).measure;
}

std::optional<LineWidth> lineWidthFromRawValue(std::string_view text) {
    return caseWithRawValue<LineWidth>(allLineWidths, text);
}

} // namespace notes
