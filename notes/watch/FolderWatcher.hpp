#pragma once

#include "notes/watch/FolderChange.hpp"
#include "notes/watch/PollPace.hpp"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace notes {

/// Reports changes that any program makes under one folder, in batches on the main loop.
///
/// Every folder below the root is watched, including those created or moved in later (what
/// they already hold is reported as created). The first change after a quiet period is
/// delivered at once; later ones are merged per path and delivered `latency` after the
/// previous batch. Lost events, and folders that cannot be watched, give one change with
/// `mustScanSubdirectories` on the root. Folders beyond the per-user limit of watches are
/// followed by polling their modification times (and those of the `followFile`) every
/// `pollInterval` (less often, up to every few seconds, where a poll costs more than a 200th of
/// that in processor time, so that polling a huge tree stays cheap), reported as created and
/// removed items, and watched once the limit allows; the first of them adds `watchLimitReached`.
/// Such a folder made or replaced reports what it holds as created, as a watched one does. The root
/// removed or moved gives `rootChanged` on the root; once a folder is at its path again, watching
/// starts over with `mustScanSubdirectories` and what the folder holds reported as created.
///
/// Created and destroyed on the thread of the main context that is thread-default at creation;
/// `onChange` runs there. The watcher may be destroyed inside `onChange`, and nothing is
/// delivered once it is gone.
class FolderWatcher {
public:
    using Change = FolderChange;
    using OnChange = std::function<void(std::span<const Change>)>;

    static constexpr std::chrono::milliseconds latency{150};
    /// How often folders that cannot be watched are looked at.
    static constexpr std::chrono::milliseconds pollInterval = PollPace::shortest;

    /// Starts watching the folder at `path`; changes made before are never reported. Never
    /// fails visibly: when the folder cannot be watched, the watcher reports nothing.
    FolderWatcher(const std::string& path, OnChange onChange);
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    /// The file, below the folder, whose changes in place are reported even while its folder
    /// cannot be watched; none for none.
    void followFile(std::optional<std::string> path);

private:
    struct Stream;
    std::unique_ptr<Stream> stream;
};

} // namespace notes
