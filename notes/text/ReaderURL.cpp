#include "notes/text/ReaderURL.hpp"

#include "notes/text/PathText.hpp"
#include "notes/text/PercentEncoding.hpp"
#include "notes/text/URLComponents.hpp"

#include <filesystem>

namespace notes {

namespace {

std::string absoluteStandardizedPath(const std::string& path) {
    if (path.empty())
        return {};
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return {};
    std::string text = absolute.lexically_normal().native();
    // A folder's path carries no final separator, except the root itself.
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace

std::string readerURL(const markdown::URL& fileURL) {
    // Most paths come from a folder scan, already absolute and standardized.
    if (fileURL.path().starts_with('/') && isStandardizedPath(fileURL.path()))
        return "mdreader://local" + percentEncodePath(fileURL.path());
    std::string path = absoluteStandardizedPath(fileURL.path());
    if (path.empty())
        return {};
    return "mdreader://local" + percentEncodePath(path);
}

std::optional<markdown::URL> fileURLFromReaderURL(std::string_view url) {
    URLComponents components = URLComponents::parse(url);
    if (components.scheme != "mdreader" || components.host != "local")
        return std::nullopt;
    std::optional<std::string> path = percentDecode(components.path);
    if (!path || path->empty() || path->find('\0') != std::string::npos)
        return std::nullopt;
    return markdown::URL::fileURL(std::move(*path));
}

} // namespace notes
