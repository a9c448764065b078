#pragma once

#include <string>

namespace markdown {

class Markup;

/// The plain text of each child that has one, in order, joined with nothing between; children
/// without a plain text add nothing. What an inline container's plain text is, unless its type
/// has a rule of its own.
[[nodiscard]] std::string childrenPlainText(const Markup& container);

} // namespace markdown
