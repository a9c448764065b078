#pragma once

#include "notes/watch/FolderChange.hpp"

#include <sys/stat.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace notes {

/// Follows folders by their modification times, for folders that no watch can be had for: each
/// poll costs one status call per folder, and lists again only the folders whose time moved,
/// reporting the entries made or removed since as a watcher would. Folders that appear inside
/// are followed too, what they hold reported as made; so are folders replaced by another of the
/// same name, told apart by their device, inode and (where the file system keeps it) birth time.
/// One file, the note on screen, may be followed as well: its changes in place move no folder's
/// time.
class FolderPoller {
public:
    /// Follows the folder and every folder below it from now on; what they hold now goes to
    /// `created` as made, when given. A folder already followed keeps its state.
    void follow(const std::string& folder, std::vector<FolderChange>* created = nullptr);
    /// Stops following the folder and everything below it.
    void forget(const std::string& folder);
    /// Stops following the folders for which `done` is true, leaving their sub-folders be.
    void forgetIf(const std::function<bool(const std::string& folder)>& done);
    /// The file whose changes are reported while its folder is followed; none to follow none.
    void followFile(std::optional<std::string> path);

    [[nodiscard]] bool empty() const { return folders.empty(); }
    [[nodiscard]] bool follows(const std::string& folder) const { return folders.contains(folder); }

    /// The changes since the last poll, folders in path order.
    [[nodiscard]] std::vector<FolderChange> poll();

private:
    /// What a status call tells of an item: enough to see that it changed.
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        /// Zero where the file system does not keep it.
        timespec born{};
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        /// Its times were older than the clock's step when taken: a later change moves them.
        bool settled = false;

        /// The same item: a folder removed and made again may get the same inode number.
        [[nodiscard]] bool sameItem(const Stamp& other) const;
        [[nodiscard]] bool sameAs(const Stamp& other) const;
    };
    struct Folder {
        Stamp stamp;
        /// Name -> is a folder (not a link to one).
        std::map<std::string, bool> entries;
    };

    [[nodiscard]] static std::optional<Stamp> stampOf(const std::string& path);
    /// Lists the folder and the folders below it into `folders`; each entry met goes to
    /// `created` when given.
    void add(const std::string& folder, std::vector<FolderChange>* created);
    void update(const std::string& path, Folder& folder, std::vector<FolderChange>& out,
                std::vector<std::string>& madeFolders);
    void pollFile(std::vector<FolderChange>& out);

    std::map<std::string, Folder> folders; // by full path
    std::optional<std::string> file;
    std::optional<Stamp> fileStamp;
};

} // namespace notes
