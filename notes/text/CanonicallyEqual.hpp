#pragma once

#include "Markdown/support/UnicodeText.hpp"

#include <optional>
#include <string>

namespace notes {

/// Text equality as the user sees it: canonically equivalent texts are equal (an é typed as
/// one character equals e followed by a combining accent). For `Observable` text fields.
struct CanonicallyEqual {
    bool operator()(const std::string& a, const std::string& b) const {
        return markdown::canonicallyEqual(a, b);
    }
    bool operator()(const std::optional<std::string>& a,
                    const std::optional<std::string>& b) const {
        if (!a || !b)
            return a.has_value() == b.has_value();
        return markdown::canonicallyEqual(*a, *b);
    }
};

} // namespace notes
