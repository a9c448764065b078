#include "notes/UsedSlugs.hpp"

#include "Markdown/UnicodeText.hpp"
#include "notes/Slugify.hpp"

namespace notes {

std::string UsedSlugs::uniqueSlug(std::string_view text) {
    std::string base = slugify(text);
    const int used = counts_[markdown::toNFC(base)]++;
    if (used == 0)
        return base;
    return base + "-" + std::to_string(used);
}

} // namespace notes
