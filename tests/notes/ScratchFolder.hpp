#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

namespace notes {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumenleaf-XXXXXX");
        folder = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return folder; }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
        return folder / name;
    }

    /// Creates a note at the relative path, and the folders above it.
    void file(std::string_view relative) const {
        write(folder / relative, "# " + std::string(relative) + "\n");
    }

    /// Writes the file whole, making the folders above it.
    static void write(const std::filesystem::path& file, std::string_view bytes) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    /// What the file's inode says: its number, owner and mode bits.
    static struct stat status(const std::filesystem::path& file) {
        struct stat status {};
        ::stat(file.c_str(), &status);
        return status;
    }
    /// The names in the folder, sorted, to see that nothing was left behind.
    [[nodiscard]] std::string listing() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        std::string out;
        for (const auto& name : names)
            out += (out.empty() ? "" : " ") + name;
        return out;
    }

private:
    std::filesystem::path folder;
};

} // namespace notes
