#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace markdown {

/// The pieces of the printed text that the line being printed and the last line ended hold, to
/// be counted in characters only when a length is read: printing without a line limit reads
/// none, and counting Khmer or Bengali takes the grapheme rules for nearly every character.
/// Each piece is counted alone, as a line's length adds up the lengths of what it was printed
/// from.
class PendingLineLengths {
public:
    /// `size` bytes at `offset` of the printed text join the line being printed.
    void add(std::size_t offset, std::size_t size) { currentPieces.push_back({offset, size}); }
    /// The line being printed ends; the pieces of the line before it are dropped uncounted.
    void endLine();
    /// Adds the characters of the pieces not yet counted to the two lengths.
    void settle(std::string_view printed, std::int64_t& currentLength,
                std::int64_t& lastLineLength);

private:
    struct Piece {
        std::size_t offset = 0;
        std::size_t size = 0;
    };
    static std::int64_t count(std::string_view printed, std::vector<Piece>& pieces,
                              std::int64_t length);

    std::vector<Piece> currentPieces;
    std::vector<Piece> lastPieces;
};

} // namespace markdown
