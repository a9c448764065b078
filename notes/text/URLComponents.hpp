#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The parts of a URL text that the mdreader scheme looks at, as written (not decoded).
struct URLComponents {
    /// Before the first ":", when that is a well-formed scheme name.
    std::optional<std::string> scheme;
    /// Between "//" and the path, without user information or port; nothing without "//".
    std::optional<std::string> host;
    /// Up to the query or fragment, still percent-encoded.
    std::string path;

    /// Splits a URL text by the generic URI syntax. Fragments and queries are dropped.
    [[nodiscard]] static URLComponents parse(std::string_view text);
};

} // namespace notes
