#pragma once

#include "Markdown/cmark/CMarkNode.hpp"
#include "Markdown/tree/ColumnAlignment.hpp"
#include "Markdown/tree/RawMarkup.hpp"
#include "Markdown/tree/SourceRange.hpp"

#include <cstdint>
#include <optional>
#include <span>

namespace markdown {

/// The alignment a parser table gives a column by its byte: 'l', 'c', 'r', or 0 for none. Any
/// other byte stops the program.
[[nodiscard]] std::optional<ColumnAlignment> cmarkColumnAlignment(std::uint8_t byte);

/// What the conversion remembers while it walks through a table. The parser keeps the header
/// row and the body rows side by side under the table; the body node is ours, and its range runs
/// from the first body row's start to the table's end.
class CMarkTableState {
public:
    /// True at a row's enter event when that row is the table's first body row.
    [[nodiscard]] bool awaitsBody() const { return headerSeen && !pendingBody; }
    void startBody(std::optional<SourceRange> firstRowRange) {
        pendingBody = PendingTableBody{std::move(firstRowRange)};
    }
    void leaveHeader() { headerSeen = true; }
    /// At the table's exit event: the body reaches to the table's end when both are known.
    void leaveTable(const std::optional<SourceRange>& tableRange);

    /// The table node from the table's converted children (header row first, then the body
    /// rows), taking them out of `rows`; the state is then ready for the next table.
    [[nodiscard]] RawMarkupPtr makeTable(CMarkNode table, std::optional<SourceRange> tableRange,
                                         std::span<RawMarkupPtr> rows);

private:
    struct PendingTableBody {
        std::optional<SourceRange> range;
    };
    bool headerSeen = false;
    std::optional<PendingTableBody> pendingBody;
};

} // namespace markdown
