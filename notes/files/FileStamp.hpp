#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <variant>

namespace notes {

/// What a file held when it was last read or written: its identity, size and times, and a
/// hash of its bytes. Comparing it with the file's status now is cheap; where the times cannot
/// tell (a write in the same clock tick), the bytes are compared instead.
class FileStamp {
public:
    /// The stamp of `bytes`, the whole contents of a file whose status is `status`: taken
    /// before reading them, or after writing them.
    [[nodiscard]] static FileStamp of(const struct stat& status, std::string_view bytes);

    /// Whether the status alone proves that the file still holds the stamped bytes: it is the
    /// same file, unchanged, and its times are old enough that a later write would have moved
    /// them.
    [[nodiscard]] bool provesUnchanged(const struct stat& status) const;
    /// Whether the two stamps are of the same bytes.
    [[nodiscard]] bool sameBytes(const FileStamp& other) const {
        return size == other.size && hash == other.hash;
    }

    friend bool operator==(const FileStamp&, const FileStamp&) = default;

private:
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0, changedNanoseconds = 0;
    std::size_t hash = 0;
    /// The times were well in the past when the stamp was taken.
    bool settled = false;
};

/// A file's whole contents and their stamp.
struct StampedFile {
    std::string bytes;
    FileStamp stamp;
};

/// Reads the regular file as `readFile` does, stamped with its status from before the read.
[[nodiscard]] std::variant<StampedFile, std::error_code>
readStampedFile(const std::filesystem::path& path);

} // namespace notes
