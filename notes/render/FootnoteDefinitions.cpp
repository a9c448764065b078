#include "notes/render/FootnoteDefinitions.hpp"

#include "Markdown/support/UnicodeText.hpp"

namespace notes {

void FootnoteDefinitions::set(std::string_view label, std::string text) {
    byLabel_.insert_or_assign(markdown::toNFC(label), std::move(text));
}

std::optional<std::string_view> FootnoteDefinitions::find(std::string_view label) const {
    const auto found = byLabel_.find(markdown::toNFC(label));
    if (found == byLabel_.end())
        return std::nullopt;
    return std::string_view(found->second);
}

} // namespace notes
