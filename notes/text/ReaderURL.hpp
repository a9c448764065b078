#pragma once

#include "Markdown/support/URL.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The "mdreader://local" address of a file: its standardized absolute path (relative paths
/// taken from the working folder, "." and ".." removed), percent-encoded as a URL path.
/// Empty when the file has no path.
[[nodiscard]] std::string readerURL(const markdown::URL& fileURL);

/// The file that an "mdreader://local" address names: scheme exactly "mdreader", host exactly
/// "local", a non-empty path, percent-decoded. Nothing for any other address, for a broken
/// escape, or for a path holding a NUL byte (which would name another file).
[[nodiscard]] std::optional<markdown::URL> fileURLFromReaderURL(std::string_view url);

} // namespace notes
