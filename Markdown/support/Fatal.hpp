#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markdown {

/// The place a stop is reported from, where the report names its file: the file as the
/// report names it, and the line of the stop in it.
struct FatalSite {
    std::string_view file;
    std::uint_least32_t line = 0;
};

/// The standard fatal-error report, one line: "Fatal error: <message>", followed by
/// ": file <file>, line <line>" when a site is named (a stop without a message then reads
/// "Fatal error: file <file>, line <line>").
[[nodiscard]] std::string fatalReport(std::string_view message,
                                      const std::optional<FatalSite>& site = std::nullopt);

/// Stops the program: a broken invariant of the tree or the parser, never bad input.
/// Prints the message (when there is one) to standard error, then aborts.
[[noreturn]] void fatal(std::string_view message = {});
/// The same, with the report naming where it stopped.
[[noreturn]] void fatal(std::string_view message, const FatalSite& site);

/// Stops the program unless the condition holds.
inline void require(bool condition, std::string_view message = {}) {
    if (!condition) [[unlikely]]
        fatal(message);
}

} // namespace markdown
