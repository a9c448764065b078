#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace notes {

/// The heading anchors given out in one rendering.
class UsedSlugs {
public:
    /// The anchor of a heading with this text: its slug the first time, then the slug with
    /// "-1", "-2", ... Only the slug is counted, not the anchor given out, so a later heading
    /// "Intro 1" gets "intro-1" even when a second "Intro" had it already.
    [[nodiscard]] std::string uniqueSlug(std::string_view text);

private:
    std::unordered_map<std::string, int> counts_; // keyed by the slug in NFC
};

} // namespace notes
