#pragma once

// Short ways to build raw nodes in tests.

#include "Markdown/tree/RawMarkup.hpp"

#include <string>
#include <utility>
#include <vector>

namespace markdown::testing {

inline SourceRange range(std::int64_t line1, std::int64_t column1, std::int64_t line2,
                         std::int64_t column2) {
    return SourceRange({line1, column1}, {line2, column2});
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
