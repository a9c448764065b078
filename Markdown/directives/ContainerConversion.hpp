#pragma once

#include "Markdown/directives/ParseContainer.hpp"
#include "Markdown/elements/Document.hpp"
#include "Markdown/elements/ParseOptions.hpp"
#include "Markdown/support/URL.hpp"

#include <optional>
#include <string_view>

namespace markdown {

/// The document a finished container tree makes, as the root of a new tree: block directives
/// and Doxygen commands around the CommonMark blocks of the line runs, every range pointing
/// into `input`, the text the lines were cut from. Directive and command ranges carry `source`,
/// blocks parsed from line runs carry none; the document's range runs from line 1, column 1
/// (with `source`) to the end of the last range converted. A container other than the root
/// stops the program.
[[nodiscard]] Document convertToDocument(const ParseContainer& root, std::string_view input,
                                         const std::optional<URL>& source, ParseOptions options);

} // namespace markdown
