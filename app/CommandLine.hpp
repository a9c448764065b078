#pragma once

#include <optional>
#include <ostream>
#include <span>

namespace app {

/// Answers "--help" (or "-h") and "--version" on the command line `lumenleaf [OPTION] [PATH...]`
/// by writing to `out`, before the toolkit starts, so that they work without a display. The
/// exit status when one of them was asked for (an argument after "--" is a path); nothing when
/// the application is to run.
[[nodiscard]] std::optional<int> answerInformationOptions(std::span<char* const> arguments,
                                                          std::ostream& out);

} // namespace app
