#include "Markdown/elements/Aside.hpp"

#include "Markdown/elements/Text.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/tree/DescendantReplacement.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace markdown {
namespace {

struct AsideTag {
    std::string tag;
    BlockQuote rewrittenQuote;
};

// Characters, not bytes: a colon or space carrying a combining mark is another character.
std::size_t findCharacter(std::string_view text, char c) {
    std::size_t i = 0;
    while (i < text.size() && !isCharacterAt(text, i, c))
        i = characterEnd(text, i);
    return i;
}

bool isBlankAt(std::string_view text, std::size_t i) {
    return isCharacterAt(text, i, ' ') || isCharacterAt(text, i, '\t');
}

// The part of the range after the tag: the start moves right by `shift` columns, but never past
// the end's column.
std::optional<SourceRange> shiftedStart(const std::optional<SourceRange>& range,
                                        std::int64_t shift) {
    if (!range)
        return std::nullopt;
    SourceLocation start = range->lowerBound();
    start.column = std::min(checkedAdd(start.column, shift), range->upperBound().column);
    return SourceRange(std::move(start), range->upperBound());
}

// The tag before the first colon of the quote's leading text, and the quote with that text
// cut to what follows the colon and its blanks.
std::optional<AsideTag> extractAsideTag(const BlockQuote& quote,
                                        Aside::TagRequirement requirement) {
    auto first = quote.childThrough(
        TypedChildIndexPath{{0, RawMarkupKind::paragraph}, {0, RawMarkupKind::text}});
    if (!first)
        return std::nullopt;
    Text text = *first->as<Text>();
    std::string_view string = text.string();
    std::size_t colon = findCharacter(string, ':');
    if (colon == string.size())
        return std::nullopt;
    std::string_view tag = string.substr(0, colon);
    if (requirement == Aside::TagRequirement::requireSingleWordTag &&
        findCharacter(tag, ' ') != tag.size())
        return std::nullopt;
    std::size_t restStart = colon + 1;
    while (isBlankAt(string, restStart))
        ++restStart;

    auto shift = static_cast<std::int64_t>(restStart);
    auto node = RawMarkup::create(RawMarkupData::Text{std::string(string.substr(restStart))},
                                  shiftedStart(text.range(), shift));
    const std::array<std::int64_t, 2> path{0, 0};
    auto rewritten = replacingDescendant(quote, path, std::move(node), true);
    if (!rewritten || !rewritten->is<BlockQuote>())
        return std::nullopt;
    return AsideTag{std::string(tag), *rewritten->as<BlockQuote>()};
}

} // namespace

Aside::Aside(Kind kind, const BlockQuote& blockQuote) : asideKind(std::move(kind)) {
    for (BlockMarkup block : blockQuote.blockChildren())
        blocks.push_back(std::move(block));
}

Aside::Aside(const BlockQuote& blockQuote)
    : Aside(*withTagRequirement(blockQuote, TagRequirement::tagNotRequired)) {}

std::optional<Aside> Aside::withTagRequirement(const BlockQuote& blockQuote,
                                               TagRequirement tagRequirement) {
    if (auto tagged = extractAsideTag(blockQuote, tagRequirement))
        return Aside(Kind(std::move(tagged->tag)), tagged->rewrittenQuote);
    if (tagRequirement == TagRequirement::tagNotRequired)
        return Aside(Kind::note, blockQuote);
    return std::nullopt;
}

} // namespace markdown
