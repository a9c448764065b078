#pragma once

#include "notes/render/ResolvedTargets.hpp"
#include "notes/vault/LinkResolving.hpp"

#include "Markdown/support/URL.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// What wikilinks are resolved against: the window's link index (none when there is no index
/// at all) and the note being rendered; with `resolved`, each target is resolved once there.
struct WikilinkContext {
    const LinkResolving* resolver = nullptr;
    std::optional<markdown::URL> fileURL;
    ResolvedTargets* resolved = nullptr;
};

/// Appends one wikilink or embed: a link to the note it names (and a heading in it), an image
/// for an embedded picture, a plain label when there is no index, or a label marked unresolved.
/// `shownBody` is the text between the brackets as the parser gave it, `typedBody` the same as
/// the user typed it: the target is looked up as typed (and as shown, when that finds nothing),
/// while labels and heading anchors keep the shown form, as the linked note's headings do.
void writeWikilink(std::string& out, std::string_view shownBody, std::string_view typedBody,
                   bool embed, const WikilinkContext& context);

} // namespace notes
