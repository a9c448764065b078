#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using GKeyFile = struct _GKeyFile;

namespace notes {

/// The user's settings: one key file, read when made and written through on every change.
/// Keys live in the group "Lumenleaf". Lives on the main thread.
///
/// A file that cannot be parsed is never overwritten: its values read as missing and changes
/// stay in memory, so that a hand edit gone wrong loses nothing.
class Settings {
public:
    /// $XDG_CONFIG_HOME/lumenleaf/settings.ini (~/.config when the variable is not set).
    [[nodiscard]] static std::filesystem::path userFile();

    explicit Settings(std::filesystem::path file);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // A missing key, or a value of another type, reads as none.
    [[nodiscard]] std::optional<std::string> string(std::string_view key) const;
    [[nodiscard]] std::optional<std::vector<std::string>> stringList(std::string_view key) const;
    [[nodiscard]] std::optional<double> number(std::string_view key) const;
    [[nodiscard]] std::optional<bool> boolean(std::string_view key) const;

    // Each stores the value and writes the file (its folder created when missing). False, with
    // the reason logged, when the file could not be written; the value is kept in memory.
    bool setString(std::string_view key, const std::string& value);
    bool setStringList(std::string_view key, std::span<const std::string> values);
    bool setNumber(std::string_view key, double value);
    bool setBoolean(std::string_view key, bool value);

    struct KeyFileDeleter {
        void operator()(GKeyFile* keys) const;
    };
    using KeyFilePointer = std::unique_ptr<GKeyFile, KeyFileDeleter>;

private:
    template <typename Change> bool change(Change&& apply);

    std::filesystem::path path;
    KeyFilePointer keys;
};

} // namespace notes
