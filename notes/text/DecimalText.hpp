#pragma once

#include <string>

namespace notes {

/// The shortest plain decimal that reads back as the same value, keeping ".0" on whole
/// values (37 -> "37.0", 0.0001 -> "0.0001", never an exponent). Not-a-number and the
/// infinities are "nan", "inf" and "-inf".
[[nodiscard]] std::string decimalText(double value);

} // namespace notes
