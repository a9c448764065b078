#include "notes/LocalSchemeHandler.hpp"

#include "notes/PercentEncoding.hpp"
#include "notes/ReaderURL.hpp"
#include "notes/URLComponents.hpp"

#include <gio/gio.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace notes {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int get() const { return fd; }

private:
    int fd;
};

struct GFreeDeleter {
    void operator()(gchar* text) const { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

/// The bytes of a regular file no larger than `limit`. Opening does not wait for a writer
/// (a FIFO would block), and the type is checked on the opened file, not on its name.
std::optional<std::string> readRegularFile(const std::filesystem::path& path,
                                           std::uintmax_t limit) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        return std::nullopt;
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0 ||
        static_cast<std::uintmax_t>(status.st_size) > limit)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        // The file may have grown since it was measured.
        if (bytes.size() + static_cast<std::size_t>(count) > limit)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

/// The MIME type that the path's extension denotes, "application/octet-stream" without one.
std::string mimeType(const std::filesystem::path& path) {
    static constexpr const char* fallback = "application/octet-stream";
    std::string extension = path.extension().native();
    if (extension.size() < 2)
        return fallback;
    // Only the extension decides, so the file's name is never matched as a whole.
    std::string name = "file" + extension;
    GText type(g_content_type_guess(name.c_str(), nullptr, 0, nullptr));
    if (!type || !g_content_type_is_a(type.get(), fallback))
        return fallback;
    GText mime(g_content_type_get_mime_type(type.get()));
    return mime ? std::string(mime.get()) : fallback;
}

/// The last segment of a percent-encoded path, decoded.
std::optional<std::string> lastPathSegment(std::string_view path) {
    auto slash = path.rfind('/');
    return percentDecode(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace

LocalSchemeHandler::LocalSchemeHandler(WebResources resources) : resources(std::move(resources)) {}

SchemeAnswer LocalSchemeHandler::handleSchemeTask(std::string_view requestURL) const {
    std::optional<std::filesystem::path> path;
    URLComponents components = URLComponents::parse(requestURL);
    if (components.host == "app") {
        if (auto name = lastPathSegment(components.path))
            path = resources.resource(*name);
    } else if (auto file = fileURLFromReaderURL(requestURL)) {
        path = file->filesystemPath();
    }
    if (!path)
        return SchemeFailure::fileDoesNotExist;
    std::optional<std::string> bytes = readRegularFile(*path, maximumFileSize);
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
