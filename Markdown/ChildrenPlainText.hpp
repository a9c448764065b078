#pragma once

#include <string>

namespace markdown {

class Markup;

/// Adds the plain text of each child that has one to the end of `text`, in child order with
/// nothing between them; other children add nothing. This is what an inline container reads as.
void appendChildrenPlainText(const Markup& container, std::string& text);

} // namespace markdown
