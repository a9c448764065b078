#include "Markdown/format/SoftBreakDeleter.hpp"

#include "Markdown/elements/Text.hpp"

namespace markdown {

std::optional<Markup> SoftBreakDeleter::visitSoftBreak(const SoftBreak&) {
    return Text(" ");
}

} // namespace markdown
