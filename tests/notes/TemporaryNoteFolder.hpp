#pragma once

#include "ScratchFolder.hpp"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace notes::testing {

/// A scratch folder addressed by text paths, filled with notes and links.
class TemporaryNoteFolder : public ScratchFolder {
public:
    [[nodiscard]] std::string root() const { return path().native(); }
    using ScratchFolder::path;
    [[nodiscard]] std::string path(std::string_view relative) const {
        return root() + "/" + std::string(relative);
    }

    /// Creates the file, and the folders above it.
    void file(std::string_view relative) const {
        makeParent(relative);
        std::ofstream(path(relative)) << "# " << relative << "\n";
    }
    /// Creates a symbolic link at the relative path pointing to the target, as written.
    void link(std::string_view relative, const std::string& target) const {
        makeParent(relative);
        std::filesystem::create_symlink(target, path(relative));
    }

private:
    void makeParent(std::string_view relative) const {
        std::filesystem::create_directories(std::filesystem::path(path(relative)).parent_path());
    }
};

} // namespace notes::testing
