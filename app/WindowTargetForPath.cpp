#include "app/WindowTargetForPath.hpp"

namespace app {

std::optional<reader::WindowTarget> windowTargetForPath(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return std::nullopt;
    const auto url = markdown::URL::fileURL(path);
    if (std::filesystem::is_directory(status))
        return reader::WindowTarget{url, std::nullopt};
    return reader::WindowTarget{std::nullopt, url};
}

} // namespace app
