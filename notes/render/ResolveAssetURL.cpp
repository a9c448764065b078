#include "notes/render/ResolveAssetURL.hpp"

#include "notes/text/PathText.hpp"
#include "notes/text/PercentEncoding.hpp"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace notes {
namespace {

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The "public" and "static" folders of the nearest level that has any.
std::vector<std::string> assetRoots(const markdown::URL& noteFile) {
    std::string folder = standardizedPath(deletingLastPathComponent(noteFile.path()));
    for (;;) {
        std::vector<std::string> roots;
        for (std::string_view name : {"public", "static"}) {
            std::string root = appendingPathComponent(folder, name);
            if (isFolder(root))
                roots.push_back(std::move(root));
        }
        if (!roots.empty() || pathComponents(folder).size() <= 1)
            return roots;
        folder = standardizedPath(deletingLastPathComponent(folder));
    }
}

} // namespace

std::optional<markdown::URL> resolveAssetURL(std::string_view source,
                                             const markdown::URL& noteFile) {
    if (!source.starts_with('/') || source.starts_with("//"))
        return std::nullopt;
    std::string_view path = source.substr(0, source.find_first_of("?#"));
    const std::optional<std::string> decoded = percentDecode(path);
    std::string relative = decoded ? *decoded : std::string(path);
    // A NUL byte would cut the path short in the file system and name another file.
    if (relative.find('\0') != std::string::npos)
        return std::nullopt;
    relative.erase(0, relative.find_first_not_of('/'));
    if (relative.empty())
        return std::nullopt;
    for (const std::string& root : assetRoots(noteFile)) {
        const std::string rootPath = standardizedPath(root);
        const std::string candidate = standardizedPath(rootPath + "/" + relative);
        if (candidate.starts_with(rootPath + "/") && exists(candidate))
            return markdown::URL::fileURL(candidate);
    }
    return std::nullopt;
}

} // namespace notes
