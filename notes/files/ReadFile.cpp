#include "notes/files/ReadFile.hpp"

#include "notes/files/FileDescriptor.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace notes {
namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

} // namespace

std::variant<std::string, std::error_code> readFile(const std::filesystem::path& path,
                                                    std::uintmax_t limit) {
    struct stat status {};
    return readFile(path, status, limit);
}

std::variant<std::string, std::error_code> readFile(const std::filesystem::path& path,
                                                    struct stat& info, std::uintmax_t limit) {
    // Non-blocking, so that a pipe posing as a note cannot hang the caller until refused below.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file)
        return lastError();
    if (::fstat(file.get(), &info) != 0)
        return lastError();
    if (S_ISDIR(info.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(info.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    if (static_cast<std::uintmax_t>(info.st_size) > limit)
        return std::make_error_code(std::errc::file_too_large);

    std::string contents;
    if (info.st_size > 0)
        contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[64 * 1024];
    for (;;) {
        ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        if (count == 0)
            return contents;
        // The file may have grown since it was measured.
        if (contents.size() + static_cast<std::size_t>(count) > limit)
            return std::make_error_code(std::errc::file_too_large);
        contents.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace notes
