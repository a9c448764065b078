#pragma once

#include "reader/model/WindowTarget.hpp"

#include <filesystem>
#include <optional>

namespace app {

/// The window that a path given to the application opens: a folder, or a single note (any
/// other file goes through the note's opening, which hands it to the desktop). None when
/// nothing is at the path. The path stays as given; the window standardizes it.
[[nodiscard]] std::optional<reader::WindowTarget>
windowTargetForPath(const std::filesystem::path& path);

} // namespace app
