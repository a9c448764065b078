#include "Markdown/elements/BlockDirective.hpp"

#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/tree/LazySplitLines.hpp"

namespace markdown {

DirectiveArgumentText BlockDirective::argumentLines(std::optional<std::string_view> text) {
    if (!text)
        return {};
    std::vector<DirectiveArgumentText::LineSegment> segments;
    auto lines = LazySplitLines{*text, std::nullopt}.makeIterator();
    while (auto line = lines.next())
        segments.push_back({std::string(line->untrimmedText()), 0, std::nullopt});
    return DirectiveArgumentText(std::move(segments));
}

std::optional<SourceRange> BlockDirective::nameRange() const {
    const Payload& current = payload();
    if (!current.nameLocation)
        return std::nullopt;
    SourceLocation end = *current.nameLocation;
    end.column = checkedAdd(end.column, static_cast<std::int64_t>(current.name.size()));
    return SourceRange(*current.nameLocation, std::move(end));
}

void BlockDirective::setName(std::string name) {
    replacePayload({std::move(name), std::nullopt, argumentText()});
}

void BlockDirective::setArgumentText(DirectiveArgumentText argumentText) {
    replacePayload({name(), std::nullopt, std::move(argumentText)});
}

} // namespace markdown
