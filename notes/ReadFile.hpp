#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <variant>

namespace notes {

/// The whole contents of the file, or why it could not be read (its message is for the user).
[[nodiscard]] std::variant<std::string, std::error_code>
readFile(const std::filesystem::path& path);

} // namespace notes
