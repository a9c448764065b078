#pragma once

#include "Markdown/tree/RawMarkup.hpp"

#include <optional>

namespace markdown {

/// How the block being printed joins the ones before it: after a blank line, or line by line.
struct BlockJoining {
    /// The next block follows the last line printed right away, once.
    bool tightStart = false;
    /// The container just opened has placed its first block already.
    bool blockPlaced = false;
    /// Every block of the container being printed follows the one before line by line.
    bool tightBlocks = false;
    /// Whether the items of the list being printed follow each other, and their blocks, line
    /// by line; the next block may so follow; the last block started so followed, and only
    /// because its list is tight.
    bool listTight = true;
    bool itemJoin = false;
    bool joinedTightly = false;
    bool joinOptional = false;
    /// Whether the paragraph being printed is a note's footnote definition, its lines after
    /// the first indented as code would be.
    bool definitionLines = false;
    /// Adjacent lists of one kind get different markers.
    std::optional<char> listMarkerToAvoid;
    char lastListMarker = 0;
    /// The last code block printed indented.
    const RawMarkup* indentedCodeBlock = nullptr;
};

} // namespace markdown
