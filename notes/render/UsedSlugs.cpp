#include "notes/render/UsedSlugs.hpp"

#include "Markdown/support/UnicodeText.hpp"
#include "notes/render/Slugify.hpp"

namespace notes {

std::string UsedSlugs::uniqueSlug(std::string_view text) {
    return uniqueId(slugify(text));
}

std::string UsedSlugs::uniqueId(std::string_view base) {
    const std::string key = markdown::toNFC(base);
    int& next = counts_[key];
    std::string id(base);
    for (int n = next;; ++n) {
        std::string numbered = n == 0 ? key : key + "-" + std::to_string(n);
        if (taken_.insert(std::move(numbered)).second) {
            if (n != 0)
                id += "-" + std::to_string(n);
            next = n + 1;
            return id;
        }
    }
}

} // namespace notes
