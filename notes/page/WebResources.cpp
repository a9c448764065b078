#include "notes/page/WebResources.hpp"

#include <cstdlib>

namespace notes {

namespace {

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

} // namespace

WebResources::WebResources(std::filesystem::path folder) : root(std::move(folder)) {}

WebResources WebResources::located() {
    if (const char* override = std::getenv("LUMENLEAF_WEB_DIR"); override && *override)
        return WebResources(override);
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        if (auto folder = installedFolder(executable))
            return WebResources(*folder);
    }
    return WebResources({});
}

std::optional<std::filesystem::path>
WebResources::installedFolder(const std::filesystem::path& executable) {
    const auto bin = executable.parent_path();
    for (const auto& candidate :
         {bin.parent_path() / "share/lumenleaf/Web", bin / "share/lumenleaf/Web"}) {
        if (isFolder(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> WebResources::resource(std::string_view name) const {
    if (root.empty() || name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return std::nullopt;
    std::filesystem::path path = root / name;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return std::nullopt;
    return path;
}

} // namespace notes
