#pragma once

#include <cstdint>
#include <optional>

namespace markdown {

/// The directive or Doxygen command whose content is being printed.
struct DirectiveContext {
    /// How many directives are open around what is printed.
    int depth = 0;
    /// How far a line of the innermost directive's content is indented to be code to the road,
    /// where that is known.
    std::optional<std::int64_t> codeColumns;
    /// Whether the innermost directive printed its opening brace on a line of its own.
    bool braceAlone = false;
    /// Whether the innermost directive being printed runs to the end of the tree.
    bool endsTree = false;
    /// Whether a Doxygen command's text is being printed: the road keeps no toggle there.
    bool inDoxygen = false;
};

} // namespace markdown
