#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace notes::testing {

/// A fresh folder under the temporary directory, removed with everything in it at the end.
class TemporaryNoteFolder {
public:
    TemporaryNoteFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumenleaf-XXXXXX").native();
        if (::mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot create a temporary folder";
        rootPath = pattern;
    }
    ~TemporaryNoteFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(rootPath, ignored);
    }
    TemporaryNoteFolder(const TemporaryNoteFolder&) = delete;
    TemporaryNoteFolder& operator=(const TemporaryNoteFolder&) = delete;

    [[nodiscard]] const std::string& root() const { return rootPath; }
    [[nodiscard]] std::string path(std::string_view relative) const {
        return rootPath + "/" + std::string(relative);
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

    std::string rootPath;
};

} // namespace notes::testing
