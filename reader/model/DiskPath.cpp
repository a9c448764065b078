#include "reader/model/DiskPath.hpp"

#include "notes/text/PathText.hpp"

#include <filesystem>

namespace reader {

bool existsAt(const markdown::URL& url) {
    std::error_code error;
    return !url.empty() && std::filesystem::exists(url.filesystemPath(), error);
}

std::string resolvedPath(const markdown::URL& url) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(url.filesystemPath(), error);
    return notes::standardizedPath(error ? url.path() : resolved.native());
}

markdown::URL standardizedFileURL(const markdown::URL& url) {
    std::string path = url.path();
    if (!path.empty() && path.front() != '/') {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(url.filesystemPath(), error);
        if (!error)
            path = absolute.native();
    }
    return markdown::URL::fileURL(notes::standardizedPath(path));
}

} // namespace reader
