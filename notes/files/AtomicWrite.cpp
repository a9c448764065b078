#include "notes/files/AtomicWrite.hpp"

#include "notes/files/FileDescriptor.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <variant>

namespace notes {
namespace {

namespace fs = std::filesystem;

// Hidden and without a note extension, so a folder scan never lists it.
constexpr std::string_view temporaryPrefix = ".lumenleaf-save-";
constexpr std::size_t temporarySuffixLength = 16;
// A temporary file five minutes old is no save in progress but what an interrupted one left.
constexpr std::time_t abandonedAfterSeconds = 300;

std::error_code lastError() {
    return {errno, std::system_category()};
}

// The file a write to `path` must change: symbolic links followed to the end, even when the
// end does not exist yet.
std::variant<fs::path, std::error_code> resolveLinks(fs::path path) {
    constexpr int maximumHops = 40; // as the kernel allows
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? std::variant<fs::path, std::error_code>(path) : lastError();
        if (!S_ISLNK(info.st_mode))
            return path;
        if (hops == maximumHops)
            return std::make_error_code(std::errc::too_many_symbolic_link_levels);
        std::error_code error;
        fs::path link = fs::read_symlink(path, error);
        if (error)
            return error;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
}

// Removes the temporary file unless it has become the note.
class TemporaryFile {
public:
    TemporaryFile(int folder, std::string name) : folder(folder), name(std::move(name)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!kept)
            ::unlinkat(folder, name.c_str(), 0);
    }
    [[nodiscard]] const std::string& fileName() const { return name; }
    void keep() { kept = true; }

private:
    int folder;
    std::string name;
    bool kept = false;
};

// A new file in the folder that only its owner may read, until it is given the note's access.
std::variant<FileDescriptor, std::error_code> createTemporary(int folder, std::string& name) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        char suffix[temporarySuffixLength + 1];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
        name = std::string(temporaryPrefix) + suffix;
        FileDescriptor file(
            ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file)
            return file;
        if (errno != EEXIST)
            return lastError();
    }
    return std::make_error_code(std::errc::file_exists);
}

// The mode a new file gets (0666 less the umask), read without changing the umask, which
// other threads may be using; owner-only where the kernel does not tell it.
mode_t newFileMode() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        unsigned mask = 0;
        if (std::sscanf(line.c_str(), "Umask: %o", &mask) == 1)
            return 0666 & ~static_cast<mode_t>(mask);
    }
    return 0600;
}

// Gives the temporary file the owner and mode of the note it will replace, or of a new note.
// Only the super-user may give a file away, and a user may only give it a group of theirs: where
// the note's group cannot be kept, its group bits would open it to another group and are dropped.
std::error_code giveNoteAccess(int fd, const struct stat* note) {
    if (!note)
        return ::fchmod(fd, newFileMode()) == 0 ? std::error_code() : lastError();
    mode_t mode = note->st_mode & 07777;
    // Before the mode, since a change of owner clears set-id bits.
    if (::fchown(fd, note->st_uid, note->st_gid) != 0) {
        if (errno != EPERM)
            return lastError();
        if (::fchown(fd, static_cast<uid_t>(-1), note->st_gid) != 0) {
            if (errno != EPERM)
                return lastError();
            mode &= ~mode_t{S_ISGID | S_IRWXG};
        }
    }
    return ::fchmod(fd, mode) == 0 ? std::error_code() : lastError();
}

std::error_code writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return {};
}

bool isTemporaryName(std::string_view name) {
    if (!name.starts_with(temporaryPrefix))
        return false;
    name.remove_prefix(temporaryPrefix.size());
    return name.size() == temporarySuffixLength && std::ranges::all_of(name, [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// Removes the temporary files that interrupted saves left in the folder.
void removeAbandonedTemporaries(int folder, const fs::path& folderPath) {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::error_code error;
    for (fs::directory_iterator entries(folderPath, error), end; !error && entries != end;
         entries.increment(error)) {
        const std::string name = entries->path().filename().native();
        struct stat info {};
        if (isTemporaryName(name) &&
            ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtim.tv_sec + abandonedAfterSeconds < now.tv_sec)
            ::unlinkat(folder, name.c_str(), 0);
    }
}

} // namespace

std::error_code writeFileAtomically(const fs::path& path, std::string_view bytes,
                                    int (*sync)(int fd)) {
    auto resolved = resolveLinks(path);
    if (auto* error = std::get_if<std::error_code>(&resolved))
        return *error;
    const fs::path target = std::get<fs::path>(std::move(resolved));
    const fs::path fileName = target.filename();
    if (fileName.empty() || fileName == "." || fileName == "..")
        return std::make_error_code(std::errc::is_a_directory);

    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (!exists && errno != ENOENT)
        return lastError();
    if (exists) {
        if (S_ISDIR(original.st_mode))
            return std::make_error_code(std::errc::is_a_directory);
        if (!S_ISREG(original.st_mode))
            return std::make_error_code(std::errc::invalid_argument);
        // The rename would replace a read-only note in a writable folder.
        if ((original.st_mode & 0222) == 0)
            return std::make_error_code(std::errc::permission_denied);
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return lastError();
    }

    const fs::path folderPath = target.has_parent_path() ? target.parent_path() : fs::path(".");
    FileDescriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return lastError();

    std::string temporaryName;
    auto created = createTemporary(folder.get(), temporaryName);
    if (auto* error = std::get_if<std::error_code>(&created))
        return *error;
    FileDescriptor file = std::get<FileDescriptor>(std::move(created));
    TemporaryFile temporary(folder.get(), temporaryName);

    // Before the first byte: nothing of a note is ever in a file more open than the note.
    if (auto error = giveNoteAccess(file.get(), exists ? &original : nullptr))
        return error;
    if (auto error = writeAll(file.get(), bytes))
        return error;
    if (sync(file.get()) != 0)
        return lastError();
    if (!file.close())
        return lastError();
    if (::renameat(folder.get(), temporary.fileName().c_str(), folder.get(), fileName.c_str()) != 0)
        return lastError();
    temporary.keep();
    // Makes the rename itself durable; some file systems cannot sync a folder, which is no
    // failure of the write.
    if (sync(folder.get()) != 0 && errno != EINVAL)
        return lastError();
    removeAbandonedTemporaries(folder.get(), folderPath);
    return {};
}

} // namespace notes
