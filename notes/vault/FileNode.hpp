#pragma once

#include "Markdown/support/URL.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace notes {

/// One entry of the file tree that the sidebar shows: a folder with its nodes, or a note.
struct FileNode {
    /// The file or folder: its parent folder's path with the entry's name appended.
    markdown::URL url;
    /// A folder's name, or a note's file name without its extension.
    std::string name;
    /// A folder's nodes, never empty; absent for a note.
    std::optional<std::vector<FileNode>> children;

    [[nodiscard]] bool isFolder() const { return children.has_value(); }

    friend bool operator==(const FileNode&, const FileNode&) = default;
};

} // namespace notes

/// Hashes all three fields, children included, so that equal nodes hash alike.
template <> struct std::hash<notes::FileNode> {
    std::size_t operator()(const notes::FileNode& node) const noexcept;
};
