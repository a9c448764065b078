#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace notes {

/// The ids given out on one page: heading anchors and the ids of footnotes and their
/// references, which all share the page's one name space.
class UsedSlugs {
public:
    /// The anchor of a heading with this text: its slug, made unique by `uniqueId`.
    [[nodiscard]] std::string uniqueSlug(std::string_view text);

    /// `base` while no id has taken it, else base with "-1", "-2", ..., the first number that
    /// gives an id not yet taken ("intro", "intro-1", and for a later base "intro-1",
    /// "intro-1-1"). Canonically equivalent ids count as the same id.
    [[nodiscard]] std::string uniqueId(std::string_view base);

private:
    std::unordered_map<std::string, int> counts_; // next number to try, keyed by the base in NFC
    std::unordered_set<std::string> taken_;       // every id given out, in NFC
};

} // namespace notes
