#pragma once

#include "Markdown/tree/SourceRange.hpp"

#include <string>

namespace markdown {

/// A suggested edit: the text to put in place of a range of the source.
struct Replacement {
    SourceRange range;
    std::string replacementText;

    /// The range's text with its path, ": fixit: ", then the replacement text.
    [[nodiscard]] std::string description() const;
    [[nodiscard]] std::string debugDescription() const { return description(); }
};

} // namespace markdown
