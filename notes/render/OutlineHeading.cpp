#include "notes/render/OutlineHeading.hpp"

#include "Markdown/support/UnicodeText.hpp"

namespace notes {

bool operator==(const OutlineHeading& a, const OutlineHeading& b) {
    return a.level == b.level && markdown::canonicallyEqual(a.id, b.id) &&
           markdown::canonicallyEqual(a.text, b.text);
}

} // namespace notes

std::size_t
std::hash<notes::OutlineHeading>::operator()(const notes::OutlineHeading& heading) const {
    const std::hash<std::string> hashText;
    std::size_t seed = hashText(markdown::toNFC(heading.id));
    const auto combine = [&seed](std::size_t value) {
        seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    combine(std::hash<int>{}(heading.level));
    combine(hashText(markdown::toNFC(heading.text)));
    return seed;
}
