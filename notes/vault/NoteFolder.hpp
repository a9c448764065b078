#pragma once

#include "notes/files/FileDescriptor.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The folder of the note being rendered, held open for the existence checks made beside it: a
/// check relative to the open folder walks only the target's own path, not the note's whole one.
class NoteFolder {
public:
    /// Whether something other than a folder exists at `relative` inside the folder at
    /// `folderPath`; none when the check cannot mean the same as one on the joined, standardized
    /// path (a "." or ".." component, a folder path not standardized, a path too long).
    [[nodiscard]] std::optional<bool> holdsFile(std::string_view folderPath,
                                                std::string_view relative);

private:
    std::string path;
    FileDescriptor folder;
    bool opened = false;
};

} // namespace notes
