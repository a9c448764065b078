#pragma once

#include "Markdown/support/URL.hpp"

#include <optional>
#include <string_view>

namespace notes {

/// The file a root-relative image source ("/img/a.png") means for a note inside a web site's
/// source tree: the nearest folder level at or above the note's folder that has a "public" or
/// "static" folder gives the roots ("public" first), and the path is looked up in them only,
/// never leaving a root. A query or fragment is ignored, percent escapes are decoded. Nothing
/// for a source that is not root-relative (relative, "//host/…", a web address), for an empty
/// path, or when no root holds the path.
[[nodiscard]] std::optional<markdown::URL> resolveAssetURL(std::string_view source,
                                                           const markdown::URL& noteFile);

} // namespace notes
