#pragma once

#include "notes/vault/LinkResolving.hpp"

#include "Markdown/support/URL.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

/// The lookup keys of a link text: the text lowercased, and for a Markdown extension also without
/// it ("Notes/Plan.md" -> "notes/plan.md", "notes/plan"; "img/Logo.PNG" -> "img/logo.png").
[[nodiscard]] std::vector<std::string> normalizeLinkKey(std::string_view text);

/// The wikilink lookup tables of one folder. A value: built once, never changed, cheap to copy.
class LinkIndex final : public LinkResolving {
public:
    /// The empty index: no root, no files; it resolves only beside the current note.
    LinkIndex();
    /// Indexes the files, in order, by their path relative to the root and by their name. The
    /// URLs are kept as given; a later file with the same relative key replaces an earlier one.
    LinkIndex(const std::optional<markdown::URL>& root, std::vector<markdown::URL> files);

    /// The standardized root folder, if any.
    [[nodiscard]] const std::optional<markdown::URL>& root() const;
    /// The file whose path relative to the root has this link key.
    [[nodiscard]] std::optional<markdown::URL> byRelativePath(std::string_view key) const;
    /// Every file whose name has this link key, in the order given.
    [[nodiscard]] std::vector<markdown::URL> byName(std::string_view key) const;

    /// Tries, in order: a file beside the current note (checked on disk each time), the relative
    /// path, then the name, narrowed by the folders the target names and by nearness to the
    /// current note. Leading "/" and "./" are ignored, percent escapes decoded.
    [[nodiscard]] std::optional<markdown::URL>
    resolve(std::string_view target, const std::optional<markdown::URL>& current) const override;
    [[nodiscard]] std::optional<markdown::URL> resolve(std::string_view target,
                                                       const std::optional<markdown::URL>& current,
                                                       NoteFolder& folder) const override;

private:
    std::optional<markdown::URL> resolve(std::string_view target,
                                         const std::optional<markdown::URL>& current,
                                         NoteFolder* folder) const;

    struct Tables;
    std::shared_ptr<const Tables> tables;
};

} // namespace notes
