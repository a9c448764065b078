#include "notes/page/LocalSchemeHandler.hpp"

#include "notes/files/ReadFile.hpp"
#include "notes/runtime/GLibPtr.hpp"
#include "notes/text/PercentEncoding.hpp"
#include "notes/text/ReaderURL.hpp"
#include "notes/text/URLComponents.hpp"

#include <gio/gio.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace notes {

namespace {

/// The MIME type that the path's extension denotes, "application/octet-stream" without one.
std::string mimeType(const std::filesystem::path& path) {
    static constexpr const char* fallback = "application/octet-stream";
    std::string extension = path.extension().native();
    if (extension.size() < 2)
        return fallback;
    // Only the extension decides, so the file's name is never matched as a whole.
    std::string name = "file" + extension;
    GTextPtr type(g_content_type_guess(name.c_str(), nullptr, 0, nullptr));
    if (!type || !g_content_type_is_a(type.get(), fallback))
        return fallback;
    GTextPtr mime(g_content_type_get_mime_type(type.get()));
    return mime ? std::string(mime.get()) : fallback;
}

/// The last segment of a percent-encoded path, decoded.
std::optional<std::string> lastPathSegment(std::string_view path) {
    auto slash = path.rfind('/');
    return percentDecode(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace

LocalSchemeHandler::LocalSchemeHandler(WebResources resources) : resources(std::move(resources)) {}

// Without them the page still shows, only plainer, so this is the one sign of it.
void LocalSchemeHandler::reportMissing(std::string_view name) const {
    if (std::ranges::find(WebResources::pageFiles, name) == WebResources::pageFiles.end() ||
        !missing.insert(std::string(name)).second)
        return;
    g_warning("The page's file %.*s is missing from %s", static_cast<int>(name.size()), name.data(),
              resources.folder().empty() ? "(no folder)" : resources.folder().c_str());
}

SchemeAnswer LocalSchemeHandler::handleSchemeTask(std::string_view requestURL) const {
    std::optional<std::filesystem::path> path;
    URLComponents components = URLComponents::parse(requestURL);
    if (components.host == "app") {
        if (auto name = lastPathSegment(components.path)) {
            path = resources.resource(*name);
            if (!path)
                reportMissing(*name);
        }
    } else if (auto file = fileURLFromReaderURL(requestURL)) {
        path = file->filesystemPath();
    }
    if (!path)
        return SchemeFailure::fileDoesNotExist;
    auto read = readFile(*path, maximumFileSize);
    auto* bytes = std::get_if<std::string>(&read);
    if (!bytes)
        return SchemeFailure::fileDoesNotExist;

    SchemeResponse response;
    response.url = std::string(requestURL);
    response.headerFields = {{"Content-Type", mimeType(*path)},
                             {"Content-Length", std::to_string(bytes->size())}};
    response.body = std::move(*bytes);
    return response;
}

} // namespace notes
