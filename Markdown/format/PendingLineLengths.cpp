#include "Markdown/format/PendingLineLengths.hpp"

#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/CheckedArithmetic.hpp"

#include <utility>

namespace markdown {

void PendingLineLengths::endLine() {
    std::swap(lastPieces, currentPieces);
    currentPieces.clear();
}

void PendingLineLengths::settle(std::string_view printed, std::int64_t& currentLength,
                                std::int64_t& lastLineLength) {
    currentLength = count(printed, currentPieces, currentLength);
    lastLineLength = count(printed, lastPieces, lastLineLength);
}

std::int64_t PendingLineLengths::count(std::string_view printed, std::vector<Piece>& pieces,
                                       std::int64_t length) {
    for (const Piece& piece : pieces)
        length = checkedAdd(length, static_cast<std::int64_t>(
                                        characterCount(printed.substr(piece.offset, piece.size))));
    pieces.clear();
    return length;
}

} // namespace markdown
