#include "notes/watch/InotifyTree.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <glib.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notes {

namespace {

constexpr std::uint32_t eventMask = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB |
                                    IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                    IN_ONLYDIR;
constexpr std::uint32_t selfEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;
// What the root's parent is watched for while the root is gone.
constexpr std::uint32_t arrivalMask = IN_CREATE | IN_MOVED_TO | IN_ONLYDIR;
// Bounds one call so that a flood of events cannot hold the main loop.
constexpr int maxReadsPerCall = 16;

std::string normalizedRoot(const std::string& path) {
    std::error_code error;
    std::string text = std::filesystem::absolute(path, error).lexically_normal().native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string childOf(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

bool isWithin(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

/// The type bits for an item that exists now; `fallback` when it is already gone.
FolderChange::Flags typeOf(const std::string& path, FolderChange::Flags fallback) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return fallback;
    if (S_ISLNK(info.st_mode))
        return FolderChange::itemIsSymlink;
    if (S_ISDIR(info.st_mode))
        return FolderChange::itemIsDirectory;
    return FolderChange::itemIsFile;
}

} // namespace

InotifyTree::InotifyTree(const std::string& path) : root(normalizedRoot(path)) {
    if (root.empty())
        return;
    descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0)
        return;
    watchSubtree("", nullptr);
    if (!watchOfFolder.contains("") && !unwatched.contains("")) {
        ::close(descriptor);
        descriptor = -1;
    }
}

InotifyTree::~InotifyTree() {
    if (descriptor >= 0)
        ::close(descriptor);
}

std::vector<FolderChange> InotifyTree::readChanges() {
    std::vector<FolderChange> out;
    if (descriptor < 0)
        return out;
    alignas(inotify_event) char buffer[64 * 1024];
    for (int reads = 0; reads < maxReadsPerCall; ++reads) {
        ssize_t length = ::read(descriptor, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            break;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            handle(event->wd, event->mask, event->cookie, event->len > 0 ? event->name : "", out);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    // A folder moved away with no arrival inside the tree has left it (unless it came back
    // under a new move and is watched again).
    dropInTransit();
    if (std::exchange(mustScan, false))
        out.push_back(
            {root,
             FolderChange::mustScanSubdirectories |
                 (std::exchange(limitToAnnounce, false) ? FolderChange::watchLimitReached : 0)});
    return out;
}

std::vector<FolderChange> InotifyTree::poll() {
    const std::size_t watchesBefore = watchOfFolder.size();
    retryWatches();
    // Compared once more after their watches are in place, so nothing in between goes unseen.
    std::vector<FolderChange> out = poller.poll();
    if (watchOfFolder.size() != watchesBefore) {
        poller.forgetIf([this](const std::string& path) {
            return watchOfFolder.contains(path == root ? std::string() : relativeOf(path));
        });
    }
    return out;
}

void InotifyTree::retryWatches() {
    retrying = true;
    // One failed attempt per poll while the limit holds.
    while (!unwatched.empty()) {
        std::string folder = *unwatched.begin();
        unwatched.erase(unwatched.begin());
        watchSubtree(folder, nullptr);
        if (unwatched.contains(folder))
            break;
    }
    retrying = false;
}

void InotifyTree::handle(int wd, std::uint32_t mask, std::uint32_t cookie, const char* name,
                         std::vector<FolderChange>& out) {
    if (mask & IN_Q_OVERFLOW) {
        if (!watchOfFolder.empty()) {
            out.push_back({root, FolderChange::mustScanSubdirectories});
            rewatchAll();
            if (!watchOfFolder.contains(""))
                rootLost(out);
        } else if (parentWatch >= 0) {
            // The root's return may be among the lost events.
            restartIfRootReturned(out);
        }
        return;
    }
    if (parentWatch >= 0 && wd == parentWatch) {
        if (mask & IN_IGNORED)
            parentWatch = -1;
        else if ((mask & IN_ISDIR) && std::filesystem::path(root).filename() == name)
            restartIfRootReturned(out);
        return;
    }
    auto found = folderOfWatch.find(wd);
    if (found == folderOfWatch.end())
        return;
    std::string folder = found->second;
    if (mask & IN_IGNORED) {
        folderOfWatch.erase(found);
        if (auto entry = watchOfFolder.find(folder);
            entry != watchOfFolder.end() && entry->second == wd)
            watchOfFolder.erase(entry);
        return;
    }
    if (mask & selfEvents) {
        // Other folders' own events are reported by their parents.
        if (folder.empty())
            rootLost(out);
        return;
    }
    if (*name != '\0')
        handleEntry(folder, name, mask, cookie, out);
}

void InotifyTree::handleEntry(const std::string& folder, const std::string& name,
                              std::uint32_t mask, std::uint32_t cookie,
                              std::vector<FolderChange>& out) {
    std::string relative = childOf(folder, name);
    std::string path = fullPath(relative);
    bool isFolder = mask & IN_ISDIR;
    FolderChange::Flags formerType =
        isFolder ? FolderChange::itemIsDirectory : FolderChange::itemIsFile;
    if (mask & IN_CREATE) {
        out.push_back({path, FolderChange::itemCreated | typeOf(path, formerType)});
        if (isFolder) {
            takeSubtree(relative);
            watchSubtree(relative, &out);
        }
    }
    if (mask & IN_DELETE) {
        out.push_back({path, FolderChange::itemRemoved | formerType});
        if (isFolder)
            takeSubtree(relative);
    }
    if (mask & (IN_MODIFY | IN_CLOSE_WRITE))
        out.push_back({path, FolderChange::itemModified | typeOf(path, formerType)});
    if (mask & IN_ATTRIB)
        out.push_back({path, FolderChange::itemMetadataModified | typeOf(path, formerType)});
    if (mask & IN_MOVED_FROM) {
        out.push_back({path, FolderChange::itemRenamed | formerType});
        // Detached at once: until it arrives somewhere, its events have no path in the tree.
        if (isFolder)
            inTransit[cookie] = Detached{relative, takeSubtree(relative)};
    }
    if (mask & IN_MOVED_TO) {
        out.push_back({path, FolderChange::itemRenamed | typeOf(path, formerType)});
        if (isFolder) {
            takeSubtree(relative); // a folder replaced by the move
            if (auto moved = inTransit.find(cookie); moved != inTransit.end()) {
                const std::string& from = moved->second.from;
                for (auto& [old, movedWd] : moved->second.watches)
                    remember(relative + old.substr(from.size()), movedWd);
                inTransit.erase(moved);
            }
            // Walked even when its watches came along: folders made in it before it moved, or
            // itself made just before (its creation handled after the move), have none yet.
            watchSubtree(relative, &out);
        }
    }
}

void InotifyTree::watchSubtree(const std::string& relative, std::vector<FolderChange>* created) {
    std::vector<std::string> folders{relative};
    while (!folders.empty()) {
        std::string folder = std::move(folders.back());
        folders.pop_back();
        std::uint32_t mask = eventMask | (folder.empty() ? 0 : IN_DONT_FOLLOW);
        int wd = ::inotify_add_watch(descriptor, fullPath(folder).c_str(), mask);
        if (wd < 0) {
            // A folder already gone or replaced has events of its own; one that cannot be
            // watched would go unseen.
            if (errno == ENOSPC || errno == ENOMEM || errno == EACCES)
                watchFailed(folder, errno, created);
            continue;
        }
        // A folder already watched under another path (a bind mount) is not walked twice.
        if (auto known = folderOfWatch.find(wd); known == folderOfWatch.end())
            remember(folder, wd);
        else if (known->second != folder)
            continue;
        // Listed after the watch is in place, so nothing made in between goes unseen.
        std::error_code error;
        for (std::filesystem::directory_iterator entries(fullPath(folder), error), end;
             !error && entries != end; entries.increment(error)) {
            std::string child = childOf(folder, entries->path().filename().native());
            std::string path = fullPath(child);
            FolderChange::Flags type = typeOf(path, FolderChange::itemIsFile);
            if (created)
                created->push_back({path, FolderChange::itemCreated | type});
            if (type == FolderChange::itemIsDirectory)
                folders.push_back(std::move(child));
        }
    }
}

InotifyTree::Subtree InotifyTree::takeSubtree(const std::string& relative) {
    std::erase_if(unwatched, [&](const std::string& folder) {
        return folder == relative || isWithin(folder, relative);
    });
    poller.forget(fullPath(relative));
    Subtree taken;
    // Everything that starts with `relative` sorts together; siblings such as "a b" of "a"
    // sit among its descendants and are skipped.
    for (auto entry = watchOfFolder.lower_bound(relative);
         entry != watchOfFolder.end() && entry->first.starts_with(relative); ++entry) {
        if (entry->first == relative || isWithin(entry->first, relative))
            taken.emplace_back(entry->first, entry->second);
    }
    for (auto& [folder, wd] : taken) {
        watchOfFolder.erase(folder);
        folderOfWatch.erase(wd);
    }
    return taken;
}

void InotifyTree::remember(const std::string& relative, int wd) {
    watchOfFolder[relative] = wd;
    folderOfWatch[wd] = relative;
}

void InotifyTree::watchFailed(const std::string& folder, int error,
                              std::vector<FolderChange>* created) {
    if (error == ENOSPC || error == ENOMEM) {
        // What a new folder holds is reported as a watched one's would be.
        poller.follow(fullPath(folder), created);
        // A folder already gone is its parent's change.
        if (poller.follows(fullPath(folder)))
            unwatched.insert(folder);
    }
    if (retrying)
        return;
    mustScan = true;
    if (unwatched.contains(folder) && !std::exchange(limitAnnounced, true))
        limitToAnnounce = true;
    if (warnedOfLimit)
        return;
    warnedOfLimit = true;
    if (unwatched.contains(folder))
        g_warning("%s cannot be watched (%s): changes in it, and in other folders past the "
                  "limit, are looked for every few seconds instead. The number of folders a user "
                  "may watch is limited by fs.inotify.max_user_watches.",
                  fullPath(folder).c_str(), std::strerror(error));
    else
        g_warning("Changes in %s go unnoticed: it cannot be watched (%s).",
                  fullPath(folder).c_str(), std::strerror(error));
}

void InotifyTree::rootLost(std::vector<FolderChange>& out) {
    out.push_back({root, FolderChange::rootChanged});
    stopWatching();
    if (root == "/")
        return;
    std::string parent = std::filesystem::path(root).parent_path().native();
    parentWatch = ::inotify_add_watch(descriptor, parent.c_str(), arrivalMask);
    if (parentWatch < 0) {
        if (errno == ENOSPC || errno == ENOMEM)
            watchFailed("", errno, nullptr);
        return;
    }
    // It may be back before the parent was watched.
    restartIfRootReturned(out);
}

void InotifyTree::restartIfRootReturned(std::vector<FolderChange>& out) {
    std::vector<FolderChange> created;
    watchSubtree("", &created);
    if (!watchOfFolder.contains(""))
        return;
    ::inotify_rm_watch(descriptor, std::exchange(parentWatch, -1));
    out.push_back({root, FolderChange::mustScanSubdirectories});
    out.insert(out.end(), created.begin(), created.end());
}

void InotifyTree::rewatchAll() {
    Subtree previous = takeAll();
    watchSubtree("", nullptr);
    // Folders that left the tree while events were lost.
    dropWatches(previous);
}

void InotifyTree::stopWatching() {
    dropWatches(takeAll());
}

InotifyTree::Subtree InotifyTree::takeAll() {
    unwatched.clear();
    poller.forget(root);
    Subtree taken(watchOfFolder.begin(), watchOfFolder.end());
    for (auto& [cookie, detached] : inTransit)
        taken.insert(taken.end(), detached.watches.begin(), detached.watches.end());
    watchOfFolder.clear();
    folderOfWatch.clear();
    inTransit.clear();
    return taken;
}

void InotifyTree::dropInTransit() {
    for (auto& [cookie, detached] : inTransit)
        dropWatches(detached.watches);
    inTransit.clear();
}

void InotifyTree::dropWatches(const Subtree& watches) {
    for (auto& [folder, wd] : watches) {
        // The same folder may be watched again under a path inside the tree.
        if (!folderOfWatch.contains(wd))
            ::inotify_rm_watch(descriptor, wd);
    }
}

std::string InotifyTree::relativeOf(const std::string& path) const {
    return path.substr(root == "/" ? 1 : root.size() + 1);
}

std::string InotifyTree::fullPath(const std::string& relative) const {
    if (relative.empty())
        return root;
    return root == "/" ? root + relative : root + "/" + relative;
}

} // namespace notes
