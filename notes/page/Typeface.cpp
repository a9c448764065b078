#include "notes/page/Typeface.hpp"

#include "notes/text/RawValueCase.hpp"

namespace notes {

std::string_view rawValue(Typeface typeface) {
    return typeface == Typeface::sans ? "sans" : "serif";
}

std::optional<Typeface> typefaceFromRawValue(std::string_view text) {
    return caseWithRawValue<Typeface>(allTypefaces, text);
}

} // namespace notes
