#include "Markdown/SoftBreakDeleter.hpp"

#include "Markdown/Text.hpp"

namespace markdown {

std::optional<Markup> SoftBreakDeleter::visitSoftBreak(const SoftBreak&) {
    return Text(" ");
}

} // namespace markdown
