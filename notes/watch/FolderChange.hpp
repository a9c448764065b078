#pragma once

#include <cstdint>
#include <string>

namespace notes {

/// One file-system event under a watched folder: the item's full path and the event flags,
/// in the values of the classic file-system events service so that readers can test bits.
struct FolderChange {
    using Flags = std::uint32_t;

    /// Events were lost: the whole tree must be scanned again. Reported on the root's path.
    static constexpr Flags mustScanSubdirectories = 0x1;
    /// The watched folder itself was removed, moved or unmounted. Reported on the root's path.
    static constexpr Flags rootChanged = 0x20;
    static constexpr Flags itemCreated = 0x100;
    static constexpr Flags itemRemoved = 0x200;
    static constexpr Flags itemMetadataModified = 0x400;
    /// Set on both the old and the new path of a move.
    static constexpr Flags itemRenamed = 0x800;
    static constexpr Flags itemModified = 0x1000;
    static constexpr Flags itemIsFile = 0x10000;
    static constexpr Flags itemIsDirectory = 0x20000;
    static constexpr Flags itemIsSymlink = 0x40000;
    /// With `mustScanSubdirectories`, once per watcher: some folders could not be watched, for
    /// the per-user limit of watches, and are followed by their modification times instead.
    static constexpr Flags watchLimitReached = 0x1000000;
    /// The flags after which a folder's tree is out of date.
    static constexpr Flags structuralChangeMask =
        mustScanSubdirectories | rootChanged | itemCreated | itemRemoved | itemRenamed;

    std::string path;
    Flags flags = 0;

    friend bool operator==(const FolderChange&, const FolderChange&) = default;
};

} // namespace notes
