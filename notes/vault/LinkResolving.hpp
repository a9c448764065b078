#pragma once

#include "notes/vault/NoteFolder.hpp"

#include "Markdown/support/URL.hpp"

#include <optional>
#include <string_view>

namespace notes {

/// What the renderer asks of a link index: the file a wikilink target means.
class LinkResolving {
public:
    virtual ~LinkResolving() = default;

    /// The file that the target (the text of a wikilink before any "#" or "|") names, seen from the
    /// note being rendered (none when it has no file); none when nothing matches.
    [[nodiscard]] virtual std::optional<markdown::URL>
    resolve(std::string_view target, const std::optional<markdown::URL>& current) const = 0;
    /// The same, with the checks beside the current note made through `folder`, which a rendering
    /// keeps open for all the targets it asks from one note.
    [[nodiscard]] virtual std::optional<markdown::URL>
    resolve(std::string_view target, const std::optional<markdown::URL>& current,
            NoteFolder& /*folder*/) const {
        return resolve(target, current);
    }

protected:
    LinkResolving() = default;
    LinkResolving(const LinkResolving&) = default;
    LinkResolving& operator=(const LinkResolving&) = default;
};

} // namespace notes
