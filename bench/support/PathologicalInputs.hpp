#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

/// The names of the inputs that once took cmark-gfm quadratic time (the list of the library's
/// own pathological tests, as of 0.29.0.gfm.13), followed by "emphasis_and_links": one long
/// paragraph of lines mixing emphasis and links, which froze the reader on the older library.
[[nodiscard]] const std::vector<std::string>& pathologicalInputNames();

/// The input `name` grown to at most `size` bytes, by repeating its pattern (or nesting it
/// deeper) as far as it fits. Empty for a name that is not in the list.
[[nodiscard]] std::string pathologicalText(std::string_view name, std::size_t size);

} // namespace bench
