#include "notes/text/DecimalText.hpp"

#include "Markdown/support/Fatal.hpp"

#include <charconv>
#include <cmath>

namespace notes {

std::string decimalText(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // Fixed notation with no precision is the shortest round trip without an exponent. The
    // longest texts are the largest value (309 digits) and the smallest subnormal (326 characters).
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    markdown::require(result.ec == std::errc{}, "decimal text does not fit its buffer");
    std::string text(buffer, result.ptr);
    if (text.find('.') == std::string::npos)
        text += ".0";
    return text;
}

} // namespace notes
