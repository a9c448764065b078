#include "notes/render/FoldedText.hpp"

namespace notes {
namespace {

using markdown::RawMarkup;
using markdown::RawMarkupKind;
using markdown::SourceLocation;

// The line of the header row of a table that took in the paragraph before it: the line before
// the delimiter row, which is the line before the first body row or, without one, the table's
// last. None when the header row is the table's first line, as it is without a paragraph.
std::optional<std::int64_t> foldedHeaderLine(const RawMarkup& table) {
    const std::optional<markdown::SourceRange>& range = table.parsedRange();
    if (table.kind() != RawMarkupKind::table || !range || table.childCount() != 2)
        return std::nullopt;
    const std::optional<markdown::SourceRange>& body = table.child(1)->parsedRange();
    const std::int64_t delimiter = body ? body->start().line - 1 : range->end().line;
    const std::int64_t header = delimiter - 1;
    if (header <= range->start().line || header > range->end().line)
        return std::nullopt;
    return header;
}

// The source from `start` up to the start of line `line`; none when the source lacks either.
std::optional<std::string_view> sourceBetween(const SourceText& source, const SourceLocation& start,
                                              std::int64_t line) {
    const std::optional<std::size_t> from = source.offset(start);
    const std::optional<std::size_t> to = source.offset(SourceLocation(line, 1));
    if (!from || !to || *from > *to)
        return std::nullopt;
    return source.text().substr(*from, *to - *from);
}

} // namespace

std::optional<FoldedText> FoldedText::paragraphBefore(const RawMarkup& block,
                                                      const RawMarkup& table,
                                                      const SourceText& source) {
    if (block.kind() != RawMarkupKind::paragraph || block.parsedRange())
        return std::nullopt;
    const std::optional<std::int64_t> header = foldedHeaderLine(table);
    if (!header)
        return std::nullopt;
    const SourceLocation& start = table.parsedRange()->start();
    const std::optional<std::string_view> lines = sourceBetween(source, start, *header);
    if (!lines)
        return std::nullopt;
    return FoldedText(start.line, *lines);
}

std::optional<FoldedText> FoldedText::headerRow(const RawMarkup& table, const SourceText& source) {
    const std::optional<std::int64_t> header = foldedHeaderLine(table);
    if (!header)
        return std::nullopt;
    const std::optional<std::string_view> line =
        sourceBetween(source, SourceLocation(*header, 1), *header + 1);
    if (!line)
        return std::nullopt;
    return FoldedText(*header, *line);
}

void FoldedText::append(TypedText& run, std::string_view shown) {
    if (const std::optional<std::size_t> end = run.appendFound(shown, lines_, next_, budget_))
        next_ = *end;
    else
        run.appendGuessed(shown);
}

} // namespace notes
