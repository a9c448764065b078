#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

/// One text the parse, render, memory and scaling figures are measured on.
struct MarkdownInput {
    /// "docs" (the installed documentation, real Markdown), "vault" (generated notes), "notes"
    /// (generated notes, a tenth in other scripts, for the printer) or the name of a
    /// pathological input.
    std::string corpus;
    /// At most this many bytes.
    std::size_t size;
    /// The size as benchmark names show it: "10KB", "100KB", "1MB", "4MB", "10MB".
    std::string label;

    /// The text, made on first use and kept for the rest of the process. Empty when the
    /// machine has no Markdown documentation installed.
    [[nodiscard]] const std::string& text() const;
    /// "docs/1MB".
    [[nodiscard]] std::string name() const { return corpus + "/" + label; }
};

/// Each corpus at 10 KB, 100 KB, 1 MB and 10 MB (decimal units, so that "per MB" is per
/// million bytes).
[[nodiscard]] std::vector<MarkdownInput> markdownInputs();

/// Each pathological input at 1 MB and 4 MB, which shows whether time grows with the size alone.
[[nodiscard]] std::vector<MarkdownInput> pathologicalInputs();

} // namespace bench
