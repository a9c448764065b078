#pragma once

#include "Markdown/support/Fatal.hpp"

#include <source_location>
#include <string_view>

namespace markdown {

/// Stops the conversion of a parser tree on something the parser never makes from text. The
/// report names the converter's file, as every stop of the conversion does.
[[noreturn]] inline void
conversionStop(std::string_view message = {},
               std::source_location where = std::source_location::current()) {
    fatal(message, {"Markdown/CommonMarkConverter", where.line()});
}

/// Stops the conversion unless the condition holds.
inline void conversionRequire(bool condition,
                              std::source_location where = std::source_location::current()) {
    if (!condition) [[unlikely]]
        conversionStop({}, where);
}

} // namespace markdown
