#pragma once

#include "notes/LinkResolving.hpp"

#include "Markdown/URL.hpp"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
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
    LinkIndex(const std::optional<markdown::URL>& root, std::span<const markdown::URL> files);

    /// The standardized root folder, if any.
    [[nodiscard]] const std::optional<markdown::URL>& root() const;
    /// Link key of a file's path relative to the root -> that file.
    [[nodiscard]] const std::unordered_map<std::string, markdown::URL>& byRelativePath() const;
    /// Link key of a file's name -> every file with that name, in the order given.
    [[nodiscard]] const std::unordered_map<std::string, std::vector<markdown::URL>>& byName() const;

    /// Tries, in order: a file beside the current note (checked on disk each time), the relative
    /// path, then the name, narrowed by the folders the target names and by nearness to the
    /// current note. Leading "/" and "./" are ignored, percent escapes decoded.
    [[nodiscard]] std::optional<markdown::URL>
    resolve(std::string_view target, const std::optional<markdown::URL>& current) const override;

private:
    struct Tables;
    std::shared_ptr<const Tables> tables;
};

} // namespace notes
