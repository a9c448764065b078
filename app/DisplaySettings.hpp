#pragma once

#include "notes/page/PageAppearance.hpp"
#include "notes/render/RenderOptions.hpp"
#include "notes/runtime/Settings.hpp"
#include "reader/model/AppearanceMode.hpp"

namespace app {

/// How windows show notes, as the user set it in the settings file. A key that is missing, of
/// another type or holding an unknown value reads as its default; the text scale is kept
/// within its range.
struct DisplaySettings {
    static constexpr double minimumTextScale = 0.7;
    static constexpr double maximumTextScale = 2.0;

    notes::Typeface typeface = notes::Typeface::serif;
    double textScale = 1.0;
    notes::LineWidth lineWidth = notes::LineWidth::medium;
    reader::AppearanceMode appearance = reader::AppearanceMode::system;
    notes::FrontmatterMode frontmatter = notes::FrontmatterMode::collapsed;
    bool softBreaks = false;
    bool showOutline = false;

    /// Reads "typeface", "textScale", "lineWidth", "appearance", "frontmatter", "softBreaks"
    /// and "showOutline".
    [[nodiscard]] static DisplaySettings read(const notes::Settings& settings);

    [[nodiscard]] notes::PageAppearance pageAppearance() const {
        return {typeface, textScale, lineWidth};
    }
    [[nodiscard]] notes::RenderOptions renderOptions() const { return {frontmatter, softBreaks}; }

    friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

} // namespace app
