#pragma once

// Short ways to build raw nodes, lines and places in tests.

#include "Markdown/tree/RawMarkup.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <string>
#include <utility>
#include <vector>

namespace markdown::testing {

inline URL fileAt(std::string path) {
    return URL::fileURL(std::move(path));
}

/// The file most tests place their text in.
inline const URL noteFile = fileAt("/notes/a.md");

inline SourceRange range(std::int64_t line1, std::int64_t column1, std::int64_t line2,
                         std::int64_t column2) {
    return SourceRange({line1, column1}, {line2, column2});
}

/// Columns `from` up to `to` on one line, with no source.
inline SourceRange at(std::int64_t from, std::int64_t to, std::int64_t line = 1) {
    return range(line, from, line, to);
}

/// The text as line `number`, read from its start, with no source.
inline TrimmedLine lineOf(std::string_view text, std::int64_t number = 1) {
    return TrimmedLine(text, 0, number, std::nullopt);
}

inline RawMarkupPtr rawText(std::string text, std::optional<SourceRange> range = {}) {
    return RawMarkup::create(RawMarkupData::Text{std::move(text)}, std::move(range));
}

inline RawMarkupPtr rawNode(RawMarkupData data, std::vector<RawMarkupPtr> children = {},
                            std::optional<SourceRange> range = {}) {
    return RawMarkup::create(std::move(data), std::move(range), std::move(children));
}

inline RawMarkupPtr rawParagraph(std::vector<RawMarkupPtr> children,
                                 std::optional<SourceRange> range = {}) {
    return rawNode(RawMarkupData::Paragraph{}, std::move(children), std::move(range));
}

} // namespace markdown::testing
