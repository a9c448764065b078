#include "notes/files/FileStamp.hpp"

#include "notes/files/ReadFile.hpp"

#include <algorithm>
#include <functional>

namespace notes {
namespace {

// Longer than the coarsest file time (two seconds) and the kernel's clock tick together: a write
// after a stamp taken this long after the file's last change moves its times.
constexpr std::int64_t settlingSeconds = 3;

} // namespace

FileStamp FileStamp::of(const struct stat& status, std::string_view bytes) {
    FileStamp stamp;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = static_cast<off_t>(bytes.size());
    stamp.modifiedSeconds = status.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = status.st_mtim.tv_nsec;
    stamp.changedSeconds = status.st_ctim.tv_sec;
    stamp.changedNanoseconds = status.st_ctim.tv_nsec;
    stamp.hash = std::hash<std::string_view>{}(bytes);
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::int64_t latest = std::max(stamp.modifiedSeconds, stamp.changedSeconds);
    // A status taken around a write may not match the bytes; only a matching size is trusted.
    stamp.settled = status.st_size == stamp.size && latest + settlingSeconds < now.tv_sec;
    return stamp;
}

bool FileStamp::provesUnchanged(const struct stat& status) const {
    return settled && status.st_dev == device && status.st_ino == inode && status.st_size == size &&
           status.st_mtim.tv_sec == modifiedSeconds &&
           status.st_mtim.tv_nsec == modifiedNanoseconds &&
           status.st_ctim.tv_sec == changedSeconds && status.st_ctim.tv_nsec == changedNanoseconds;
}

std::variant<StampedFile, std::error_code> readStampedFile(const std::filesystem::path& path) {
    struct stat status {};
    auto read = readFile(path, status);
    if (auto* error = std::get_if<std::error_code>(&read))
        return *error;
    StampedFile file{std::get<std::string>(std::move(read)), {}};
    file.stamp = FileStamp::of(status, file.bytes);
    return file;
}

} // namespace notes
