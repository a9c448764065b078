#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace notes {

/// The face of the page's text. On the page it is the body's class "font-" + raw value.
enum class Typeface { serif, sans };

/// Every case, in the order the settings list them.
inline constexpr std::array allTypefaces{Typeface::serif, Typeface::sans};

/// The raw value: "serif" or "sans". It is also the case's identifier.
[[nodiscard]] std::string_view rawValue(Typeface typeface);

/// The case whose raw value is exactly `text` (letter case included); nothing otherwise.
[[nodiscard]] std::optional<Typeface> typefaceFromRawValue(std::string_view text);

} // namespace notes
