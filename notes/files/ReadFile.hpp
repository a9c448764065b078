#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <variant>

namespace notes {

/// The whole contents of the regular file, or why it could not be read (its message is for the
/// user). A file larger than `limit` bytes, also one that grows past it while being read, is
/// refused with `file_too_large`.
[[nodiscard]] std::variant<std::string, std::error_code>
readFile(const std::filesystem::path& path,
         std::uintmax_t limit = std::numeric_limits<std::uintmax_t>::max());

/// As above, and the file's status as it was before reading began: a change during the read
/// shows as a status that no longer matches.
[[nodiscard]] std::variant<std::string, std::error_code>
readFile(const std::filesystem::path& path, struct stat& status,
         std::uintmax_t limit = std::numeric_limits<std::uintmax_t>::max());

} // namespace notes
