#pragma once

#include "notes/page/LineWidth.hpp"
#include "notes/page/Typeface.hpp"

namespace notes {

/// How the page is set. The defaults are those of the display settings.
struct PageAppearance {
    Typeface typeface = Typeface::serif;
    /// Factor on the page's text size; 1.0 is the normal size.
    double textScale = 1.0;
    LineWidth lineWidth = LineWidth::medium;

    /// Scales compare numerically, so a scale that is not a number equals nothing, not even
    /// itself: the page is then always sent the appearance again.
    friend bool operator==(const PageAppearance&, const PageAppearance&) = default;
};

} // namespace notes
