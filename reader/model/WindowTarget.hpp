#pragma once

#include "Markdown/support/URL.hpp"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

namespace reader {

/// What one reader window shows: a folder, a single note, or a note inside a folder. Stored
/// with the window so that it comes back after a relaunch. URLs are kept as given; they are
/// standardized only when the window opens them.
struct WindowTarget {
    std::optional<markdown::URL> folder;
    std::optional<markdown::URL> file;

    friend bool operator==(const WindowTarget&, const WindowTarget&) = default;

    /// Open the folder, then the initial note inside it (or the folder's start note).
    struct OpenFolder {
        markdown::URL folder;
        std::optional<markdown::URL> initialFile;
        friend bool operator==(const OpenFolder&, const OpenFolder&) = default;
    };
    /// Open the note on its own, without a folder.
    struct OpenFile {
        markdown::URL file;
        friend bool operator==(const OpenFile&, const OpenFile&) = default;
    };
    /// Nothing to open: the window keeps what it shows.
    using Opening = std::variant<std::monostate, OpenFolder, OpenFile>;

    /// What applying the target opens, judged by what exists on disk now: the folder when
    /// something is at its path, else the file when something is at its path, else nothing.
    [[nodiscard]] Opening opening() const;

    /// Whether a window showing this folder and file shows this target. URLs compare exactly,
    /// so a target matches only once it is written in standardized form.
    [[nodiscard]] bool matches(const std::optional<markdown::URL>& shownFolder,
                               const std::optional<markdown::URL>& shownFile) const {
        return folder == shownFolder && file == shownFile;
    }

    /// The stored form: an object with "folder" and "file", a missing value left out.
    [[nodiscard]] nlohmann::json keyed() const;

    /// Why a stored form could not be read.
    struct DecodeError {
        std::string message;
    };
    /// Reads the stored form; missing keys give no value and other keys are ignored. A value
    /// that is not a path text fails with a message naming the key.
    [[nodiscard]] static std::variant<WindowTarget, DecodeError> fromKeyed(const nlohmann::json&);
};

} // namespace reader

template <> struct std::hash<reader::WindowTarget> {
    std::size_t operator()(const reader::WindowTarget& target) const noexcept;
};
