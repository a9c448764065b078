#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace notes {

/// The page's measure: how wide a line of text may run.
enum class LineWidth { narrow, medium, wide };

/// Every case, in the order the settings list them.
inline constexpr std::array allLineWidths{LineWidth::narrow, LineWidth::medium, LineWidth::wide};

/// The raw value: "narrow", "medium" or "wide". It is also the case's identifier.
[[nodiscard]] std::string_view rawValue(LineWidth width);

/// The case whose raw value is exactly `text` (letter case included); nothing otherwise.
[[nodiscard]] std::optional<LineWidth> lineWidthFromRawValue(std::string_view text);

/// The page measure in rem: 33, 37 or 44.
[[nodiscard]] double pageMeasure(LineWidth width);

} // namespace notes
