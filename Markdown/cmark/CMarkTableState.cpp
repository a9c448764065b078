#include "Markdown/cmark/CMarkTableState.hpp"

#include "Markdown/cmark/ConversionStop.hpp"

#include <cstdio>
#include <string>
#include <vector>

namespace markdown {

std::optional<ColumnAlignment> cmarkColumnAlignment(std::uint8_t byte) {
    switch (byte) {
    case 'l':
        return ColumnAlignment::left;
    case 'r':
        return ColumnAlignment::right;
    case 'c':
        return ColumnAlignment::center;
    case 0:
        return std::nullopt;
    default:
        break;
    }
    // The byte as the character of that code point, in UTF-8.
    std::string character;
    if (byte < 0x80) {
        character.push_back(static_cast<char>(byte));
    } else {
        character.push_back(static_cast<char>(0xC0 | byte >> 6));
        character.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", byte);
    conversionStop("Unexpected table column character for cmark table: " + character + " (0x" +
                   hex + ")");
}

void CMarkTableState::leaveTable(const std::optional<SourceRange>& tableRange) {
    if (!tableRange || !pendingBody || !pendingBody->range)
        return;
    const SourceLocation& start = pendingBody->range->start();
    // A table never ends before its first body row starts; should the parser say otherwise,
    // the row's own range stands rather than an inverted one.
    if (tableRange->end() < start)
        return;
    pendingBody->range = SourceRange(start, tableRange->end());
}

RawMarkupPtr CMarkTableState::makeTable(CMarkNode table, std::optional<SourceRange> tableRange,
                                        std::span<RawMarkupPtr> rows) {
    const std::uint16_t columns = table.tableColumns();
    std::vector<std::optional<ColumnAlignment>> alignments;
    alignments.reserve(columns);
    if (columns > 0) {
        const auto bytes = table.tableAlignments();
        conversionRequire(bytes.size() == columns);
        for (const std::uint8_t byte : bytes)
            alignments.push_back(cmarkColumnAlignment(byte));
    }

    RawMarkupPtr head;
    if (!rows.empty() && rows.front()->kind() == RawMarkupKind::tableHead) {
        head = std::move(rows.front());
        rows = rows.subspan(1);
    } else {
        head = RawMarkup::create(RawMarkupData::TableHead{});
    }
    RawMarkupPtr body;
    if (!rows.empty()) {
        conversionRequire(pendingBody.has_value());
        for (const auto& row : rows)
            conversionRequire(row->kind() == RawMarkupKind::tableRow);
        body = RawMarkup::create(RawMarkupData::TableBody{}, std::move(pendingBody->range), rows);
    } else {
        conversionRequire(!pendingBody.has_value());
        body = RawMarkup::create(RawMarkupData::TableBody{});
    }
    headerSeen = false;
    pendingBody.reset();
    return RawMarkup::makeTable(std::move(alignments), std::move(tableRange), std::move(head),
                                std::move(body));
}

} // namespace markdown
