#pragma once

#include "Markdown/tree/SourceRange.hpp"

#include <optional>
#include <string>

namespace markdown {

/// One name and value pair of a block directive's argument text. Texts are as written: a
/// backslash escape keeps its backslash, a quoted token is what lies between its quotes.
struct DirectiveArgument {
    /// "" for a value given without a name.
    std::string name;
    std::optional<SourceRange> nameRange;
    std::string value;
    std::optional<SourceRange> valueRange;
    /// A comma followed the value.
    bool hasTrailingComma = false;

    /// Texts compare by canonical equivalence, the rest exactly.
    friend bool operator==(const DirectiveArgument& a, const DirectiveArgument& b);
};

} // namespace markdown
