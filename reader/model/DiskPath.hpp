#pragma once

#include "Markdown/support/URL.hpp"

#include <string>

// What the reader asks of the disk about a path.
namespace reader {

/// Whether anything (file, folder, ...) is at the path; a dangling link counts as nothing.
[[nodiscard]] bool existsAt(const markdown::URL& url);

/// The path with its symbolic links resolved as far as it exists, then standardized, so that
/// two ways to one file compare equal.
[[nodiscard]] std::string resolvedPath(const markdown::URL& url);

/// The URL made absolute (against the working folder) and standardized, as the window keeps
/// the folders and notes it shows. Symbolic links stay.
[[nodiscard]] markdown::URL standardizedFileURL(const markdown::URL& url);

} // namespace reader
