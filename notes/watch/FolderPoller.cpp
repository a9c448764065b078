#include "notes/watch/FolderPoller.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>

namespace notes {

namespace {

// File systems keep times in steps of up to two seconds: a change within the step of the last
// look may leave them as they were.
constexpr std::time_t clockStep = 2;

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

std::string childOf(const std::string& folder, const std::string& name) {
    return folder == "/" ? folder + name : folder + "/" + name;
}

bool isWithin(const std::string& path, const std::string& folder) {
    return path == folder || (path.size() > folder.size() && path.starts_with(folder) &&
                              (folder == "/" || path[folder.size()] == '/'));
}

FolderChange::Flags typeFlag(bool isFolder) {
    return isFolder ? FolderChange::itemIsDirectory : FolderChange::itemIsFile;
}

// Name -> is a folder, links not followed; none when the folder cannot be listed.
std::optional<std::map<std::string, bool>> listFolder(const std::string& path) {
    std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(path.c_str()));
    if (!directory)
        return std::nullopt;
    std::map<std::string, bool> entries;
    while (const dirent* entry = ::readdir(directory.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            isFolder = ::fstatat(::dirfd(directory.get()), entry->d_name, &status,
                                 AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(status.st_mode);
        }
        entries.emplace(std::move(name), isFolder);
    }
    return entries;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

bool FolderPoller::Stamp::sameItem(const Stamp& other) const {
    return device == other.device && inode == other.inode && sameTime(born, other.born);
}

bool FolderPoller::Stamp::sameAs(const Stamp& other) const {
    return sameItem(other) && size == other.size && sameTime(modified, other.modified) &&
           sameTime(changed, other.changed);
}

std::optional<FolderPoller::Stamp> FolderPoller::stampOf(const std::string& path) {
    struct statx status {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
                &status) != 0)
        return std::nullopt;
    auto time = [](const statx_timestamp& t) {
        return timespec{static_cast<std::time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)};
    };
    Stamp stamp{makedev(status.stx_dev_major, status.stx_dev_minor),
                status.stx_ino,
                (status.stx_mask & STATX_BTIME) ? time(status.stx_btime) : timespec{},
                static_cast<off_t>(status.stx_size),
                time(status.stx_mtime),
                time(status.stx_ctime)};
    stamp.settled =
        std::time(nullptr) - std::max(stamp.modified.tv_sec, stamp.changed.tv_sec) > clockStep;
    return stamp;
}

void FolderPoller::follow(const std::string& folder, std::vector<FolderChange>* created) {
    add(folder, created);
}

void FolderPoller::forget(const std::string& folder) {
    for (auto entry = folders.lower_bound(folder);
         entry != folders.end() && entry->first.starts_with(folder);) {
        if (isWithin(entry->first, folder))
            entry = folders.erase(entry);
        else
            ++entry;
    }
}

void FolderPoller::forgetIf(const std::function<bool(const std::string&)>& done) {
    std::erase_if(folders, [&](const auto& entry) { return done(entry.first); });
}

void FolderPoller::followFile(std::optional<std::string> path) {
    file = std::move(path);
    fileStamp = file ? stampOf(*file) : std::nullopt;
}

void FolderPoller::add(const std::string& root, std::vector<FolderChange>* created) {
    std::vector<std::string> pending{root};
    while (!pending.empty()) {
        std::string path = std::move(pending.back());
        pending.pop_back();
        if (folders.contains(path))
            continue;
        // Stamped before listing, so that whatever changes meanwhile moves the time again.
        std::optional<Stamp> stamp = stampOf(path);
        if (!stamp)
            continue;
        std::optional<std::map<std::string, bool>> entries = listFolder(path);
        if (!entries)
            continue;
        for (const auto& [name, isFolder] : *entries) {
            std::string child = childOf(path, name);
            if (created)
                created->push_back({child, FolderChange::itemCreated | typeFlag(isFolder)});
            if (isFolder)
                pending.push_back(std::move(child));
        }
        folders.emplace(std::move(path), Folder{*stamp, std::move(*entries)});
    }
}

std::vector<FolderChange> FolderPoller::poll() {
    std::vector<FolderChange> out;
    std::vector<std::string> gone;
    std::vector<std::string> made;
    for (auto& entry : folders) {
        // Named, not bound: the lambda below captures it.
        const std::string& path = entry.first;
        Folder& folder = entry.second;
        // Inside a folder replaced: followed afresh below, with all it holds.
        if (std::ranges::any_of(made, [&](const std::string& m) { return isWithin(path, m); }))
            continue;
        std::optional<Stamp> now = stampOf(path);
        // Its removal is its parent's change.
        if (!now) {
            gone.push_back(path);
            continue;
        }
        if (folder.stamp.settled && now->sameAs(folder.stamp))
            continue;
        std::optional<std::map<std::string, bool>> entries = listFolder(path);
        if (!entries) {
            gone.push_back(path);
            continue;
        }
        // Folders that left are forgotten, and those that came are followed, after the loop.
        auto report = [&](const auto& entry, FolderChange::Flags what,
                          std::vector<std::string>& folders) {
            std::string child = childOf(path, entry.first);
            out.push_back({child, what | typeFlag(entry.second)});
            if (entry.second)
                folders.push_back(std::move(child));
        };
        // Another folder now has this path: all the old one held is gone, all it holds is new.
        if (!now->sameItem(folder.stamp)) {
            for (const auto& left : folder.entries)
                report(left, FolderChange::itemRemoved, gone);
            folder.entries.clear();
        }
        auto before = folder.entries.begin();
        auto after = entries->begin();
        // Both sorted by name: one pass finds what left and what came.
        while (before != folder.entries.end() || after != entries->end()) {
            const bool left = after == entries->end() ||
                              (before != folder.entries.end() && before->first < after->first);
            const bool came =
                !left && (before == folder.entries.end() || after->first < before->first);
            if (!left && !came && before->second == after->second) {
                ++before;
                ++after;
                continue;
            }
            // Left, came, or replaced by an item of the other kind.
            if (!came)
                report(*before++, FolderChange::itemRemoved, gone);
            if (!left)
                report(*after++, FolderChange::itemCreated, made);
        }
        folder = Folder{*now, std::move(*entries)};
    }
    for (const std::string& path : gone)
        forget(path);
    for (const std::string& path : made)
        add(path, &out);
    pollFile(out);
    return out;
}

void FolderPoller::pollFile(std::vector<FolderChange>& out) {
    if (!file || !folders.contains(std::filesystem::path(*file).parent_path().native()))
        return;
    std::optional<Stamp> now = stampOf(*file);
    // A file removed or made is its folder's change.
    if (now && fileStamp && !now->sameAs(*fileStamp))
        out.push_back({*file, FolderChange::itemModified | FolderChange::itemIsFile});
    fileStamp = now;
}

} // namespace notes
