#pragma once

#include "notes/vault/FileNode.hpp"
#include "notes/vault/LinkIndex.hpp"

#include "Markdown/support/URL.hpp"

#include <cstddef>
#include <vector>

namespace notes {

/// Once more files than this have been met, a scan enters no further folder.
inline constexpr std::size_t folderScanFileLimit = 49'999;

/// The nodes of one folder, sub-folders first, each group in the order of a file browser
/// (case-insensitive, numbers by value); recurses into sub-folders. Appends every file it meets to
/// allFiles and every note to markdownFiles, in listing order. Hidden entries, folders with a
/// build-tool name ("node_modules", "build", ...) and folders without notes are left out; symbolic
/// links are taken as files by their own name, never followed. A folder that cannot be listed
/// gives nothing. Never fails; touches no shared state, so it may run on any thread.
[[nodiscard]] std::vector<FileNode> scanFolder(const markdown::URL& folder,
                                               std::vector<markdown::URL>& allFiles,
                                               std::vector<markdown::URL>& markdownFiles,
                                               std::size_t fileLimit = folderScanFileLimit);

/// The result of one scan of a folder, handed from the scanning thread to the window as a whole.
struct FolderSnapshot {
    /// The folder's top-level nodes.
    std::vector<FileNode> tree;
    /// The link index over every file met, rooted at the folder.
    LinkIndex index;
    /// The notes, in the order the scan met them (not the tree's order).
    std::vector<markdown::URL> markdownFiles;
    /// The scan met more files than its limit and left folders out, so the tree is not whole.
    bool reachedFileLimit = false;

    /// Scans the folder and indexes what it met.
    [[nodiscard]] static FolderSnapshot scan(const markdown::URL& folder,
                                             std::size_t fileLimit = folderScanFileLimit);
};

} // namespace notes
