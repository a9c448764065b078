#include "notes/vault/NoteFolder.hpp"

#include "notes/text/PathText.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

namespace notes {

namespace {

// The kernel walks "." and ".." through the folder on disk, where standardizing drops them by
// their spelling; past a symbolic link the two differ.
bool walksLikeStandardized(std::string_view relative) {
    if (relative.empty() || relative.starts_with('/'))
        return false;
    for (std::size_t start = 0; start <= relative.size();) {
        std::size_t end = relative.find('/', start);
        if (end == std::string_view::npos)
            end = relative.size();
        std::string_view component = relative.substr(start, end - start);
        if (component == "." || component == "..")
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

std::optional<bool> NoteFolder::holdsFile(std::string_view folderPath, std::string_view relative) {
    // The joined path fails with a name too long; keep that answer.
    if (folderPath.size() + 1 + relative.size() >= PATH_MAX || !walksLikeStandardized(relative) ||
        relative.find('\0') != std::string_view::npos)
        return std::nullopt;
    // The folder held open passed these checks when it was opened.
    if (!opened || path != folderPath) {
        if (!folderPath.starts_with('/') || !isStandardizedPath(folderPath))
            return std::nullopt;
        path = folderPath;
        folder = FileDescriptor(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        opened = true;
    }
    if (!folder)
        return std::nullopt;
    // Shorter than PATH_MAX (checked above): a terminated copy needs no allocation.
    std::array<char, PATH_MAX> name;
    *std::ranges::copy(relative, name.begin()).out = '\0';
    struct stat status {};
    if (::fstatat(folder.get(), name.data(), &status, 0) != 0)
        return false;
    return !S_ISDIR(status.st_mode);
}

} // namespace notes
