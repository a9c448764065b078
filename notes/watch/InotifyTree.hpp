#pragma once

#include "notes/watch/FolderChange.hpp"
#include "notes/watch/FolderPoller.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace notes {

/// An inotify instance watching one folder and every folder below it, which turns the kernel's
/// events into `FolderChange` values. Folders created, moved in or renamed inside the tree are
/// followed, walked under the name they have when their event is handled; folders moved out are
/// dropped. A folder that cannot be watched (the per-user limit reached) asks for a full scan and
/// is logged once; from then on it is followed by `poll`, and watched again once the limit
/// allows. What a new or replaced folder holds is reported as created, watched or not. After the
/// root is lost, its parent is watched for the name, and a folder there again is walked afresh and
/// asks for a full scan. Owns the descriptor.
class InotifyTree {
public:
    /// Starts watching `root` (made absolute). Inert, with no descriptor, when inotify is not
    /// available or `root` is not a folder that can be watched.
    explicit InotifyTree(const std::string& root);
    ~InotifyTree();
    InotifyTree(const InotifyTree&) = delete;
    InotifyTree& operator=(const InotifyTree&) = delete;

    /// The descriptor that becomes readable when events wait; -1 when inert.
    [[nodiscard]] int fd() const { return descriptor; }
    /// The watched folder's full path, as reported in changes.
    [[nodiscard]] const std::string& rootPath() const { return root; }

    /// Reads the waiting events without blocking and returns them as changes, in order.
    std::vector<FolderChange> readChanges();

    /// Whether some folders have no watch and are followed by `poll` instead.
    [[nodiscard]] bool isPolling() const { return !poller.empty(); }
    /// Tries again to watch the folders that have no watch, then reports what changed in those
    /// that still have none since the last poll.
    std::vector<FolderChange> poll();
    /// The file, below the root, whose changes `poll` reports while its folder has no watch.
    void followFile(std::optional<std::string> path) { poller.followFile(std::move(path)); }

private:
    using Subtree = std::vector<std::pair<std::string, int>>; // relative folder, watch
    struct Detached {
        std::string from;
        Subtree watches;
    };

    void handle(int wd, std::uint32_t mask, std::uint32_t cookie, const char* name,
                std::vector<FolderChange>& out);
    void handleEntry(const std::string& folder, const std::string& name, std::uint32_t mask,
                     std::uint32_t cookie, std::vector<FolderChange>& out);
    void watchSubtree(const std::string& relative, std::vector<FolderChange>* created);
    Subtree takeSubtree(const std::string& relative);
    void remember(const std::string& relative, int wd);
    void watchFailed(const std::string& folder, int error, std::vector<FolderChange>* created);
    void retryWatches();
    void rootLost(std::vector<FolderChange>& out);
    void restartIfRootReturned(std::vector<FolderChange>& out);
    void rewatchAll();
    void stopWatching();
    Subtree takeAll();
    void dropInTransit();
    void dropWatches(const Subtree& watches);
    [[nodiscard]] std::string fullPath(const std::string& relative) const;
    /// The path below the root; `path` must lie below it.
    [[nodiscard]] std::string relativeOf(const std::string& path) const;

    std::string root;
    int descriptor = -1;
    std::unordered_map<int, std::string> folderOfWatch; // "" for the root
    std::map<std::string, int> watchOfFolder;
    // Folders moved away whose destination is not known yet, by move cookie.
    std::unordered_map<std::uint32_t, Detached> inTransit;
    // The root's parent, watched for the root's name while the root is gone; -1 otherwise.
    int parentWatch = -1;
    // A watch could not be added since the last read: the next changes ask for a full scan.
    bool mustScan = false;
    bool warnedOfLimit = false;
    // The next full scan asked for says, once per tree, that the limit of watches was reached.
    bool limitToAnnounce = false;
    bool limitAnnounced = false;
    // Folders that could not be watched for the limit, each followed by the poller with all it
    // holds.
    std::set<std::string> unwatched;
    FolderPoller poller;
    // A retry's failures were known before: they ask for no scan.
    bool retrying = false;
};

} // namespace notes
