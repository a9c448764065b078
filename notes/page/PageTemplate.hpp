#pragma once

#include "notes/page/PageAppearance.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The page's content-security policy. Scripts come from the application's own resources
/// only, never from the notes folder.
inline constexpr std::string_view pageContentSecurityPolicy =
    "default-src 'none'; img-src mdreader: data: https: http:; media-src mdreader: https:; "
    "style-src mdreader: 'unsafe-inline'; script-src mdreader://app; font-src mdreader:";

/// The body attribute that names the heading to start at; reader.js reads it.
inline constexpr std::string_view pageAnchorAttribute = "data-anchor";

/// The whole reading page around a note's HTML fragment: policy, style sheet and scripts
/// from "mdreader://app", the appearance as the root's "--scale" and "--measure" and the
/// body's "font-" class, and at most one start position on the body. An anchor wins; else a
/// start line of 2 or more ("data-line"); else a scroll offset above 0 ("data-scroll").
[[nodiscard]] std::string makePageHTML(std::string_view bodyHTML, const PageAppearance& appearance,
                                       std::optional<std::string_view> anchor = std::nullopt,
                                       std::optional<double> scroll = std::nullopt,
                                       std::optional<long> scrollLine = std::nullopt);

} // namespace notes
