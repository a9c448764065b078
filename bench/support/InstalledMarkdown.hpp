#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

/// Real Markdown to measure with: the documentation that Debian packages install as Markdown
/// files ("*.md", "*.markdown", gzipped or not) below /usr/share/doc. Collected when a benchmark
/// runs, never kept in the repository.
class InstalledMarkdown {
public:
    /// Reads every such file below `root`, in path order; links are followed, each file read once.
    explicit InstalledMarkdown(const std::filesystem::path& root = "/usr/share/doc");

    /// The one collection of the process, read on first use.
    [[nodiscard]] static const InstalledMarkdown& shared();
    /// Reads the shared collection and names its size in the context every report starts with.
    static void addSharedToContext();

    [[nodiscard]] std::size_t fileCount() const { return texts.size(); }
    [[nodiscard]] std::size_t byteCount() const;

    /// The files' texts end to end, a blank line between two, starting again from the first when
    /// they run out, and cut after the last line end that fits: at most `size` bytes, and empty
    /// when there are no files.
    [[nodiscard]] std::string concatenated(std::size_t size) const;

private:
    std::vector<std::string> texts;
};

/// The texts end to end (a blank line between two, starting again when they run out) up to the
/// last line end that fits in `size` bytes.
[[nodiscard]] std::string joinToSize(const std::vector<std::string>& texts, std::size_t size);

} // namespace bench
