#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace bench {

/// A generated vault of notes as personal note apps keep them: folders two levels deep, one
/// "Index" note and one image per folder, and notes with front matter, wikilinks (by name, by
/// path, to headings, with aliases, to the folder's "Index", to nothing), embeds, callouts,
/// highlights, task lists, tables, code blocks and footnotes. Everything follows from the
/// shape, so every run measures the same vault.
class NoteVault {
public:
    NoteVault(std::size_t notes, std::size_t folders);

    [[nodiscard]] std::size_t noteCount() const { return notes; }
    [[nodiscard]] std::size_t folderCount() const { return folders; }

    /// The folder of note `note`, relative to the vault: "Area 3" or "Area 3/Topic 07".
    [[nodiscard]] std::string folderPath(std::size_t folder) const;
    /// The note's path relative to the vault, with its ".md".
    [[nodiscard]] std::string notePath(std::size_t note) const;
    /// The note's name as wikilinks write it (its file name without ".md").
    [[nodiscard]] std::string noteName(std::size_t note) const;
    /// The note's Markdown text.
    [[nodiscard]] std::string noteText(std::size_t note) const;

    /// Writes every folder, note and image below `root`, which must exist.
    void write(const std::filesystem::path& root) const;
    /// The notes' texts end to end, as one long note of at most `size` bytes.
    [[nodiscard]] std::string concatenated(std::size_t size) const;

private:
    [[nodiscard]] std::size_t folderOf(std::size_t note) const { return note % folders; }

    std::size_t notes;
    std::size_t folders;
};

} // namespace bench
