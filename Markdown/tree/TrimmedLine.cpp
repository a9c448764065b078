#include "Markdown/tree/TrimmedLine.hpp"

#include "Markdown/directives/RoadLineRules.hpp"

#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/Fatal.hpp"
#include "Markdown/support/UnicodeText.hpp"

namespace markdown {
namespace {

bool isWhitespaceAt(std::string_view text, std::size_t offset) {
    return isCharacterAt(text, offset, ' ') || isCharacterAt(text, offset, '\t');
}

} // namespace

std::int64_t TrimmedLine::columnAfter(std::int64_t column, char c) {
    if (c == ' ')
        return column + 1;
    if (c == '\t')
        return (column + 4) & ~std::int64_t{3};
    fatal("Non-whitespace character found while calculating equivalent indentation column count");
}

bool operator==(const TrimmedLine::Lex& a, const TrimmedLine::Lex& b) {
    return a.range == b.range && canonicallyEqual(a.text, b.text);
}

TrimmedLine::TrimmedLine(std::string_view untrimmedText, std::size_t parseIndex,
                         std::optional<std::int64_t> lineNumber, std::optional<URL> source)
    : text(untrimmedText), index(parseIndex), number(lineNumber), file(std::move(source)) {
    require(parseIndex <= untrimmedText.size());
}

TrimmedLine TrimmedLine::owning(std::string text, std::optional<std::int64_t> lineNumber,
                                std::optional<URL> source) {
    auto storage = std::make_shared<const std::string>(std::move(text));
    TrimmedLine line(*storage, 0, lineNumber, std::move(source));
    line.storage = std::move(storage);
    return line;
}

std::optional<SourceLocation> TrimmedLine::location() const {
    if (!number)
        return std::nullopt;
    return SourceLocation(*number, static_cast<std::int64_t>(index) + 1, file);
}

std::optional<TrimmedLine::Lex> TrimmedLine::lex(std::int64_t count, bool allowEmpty) {
    if (count < 1 && !allowEmpty)
        return std::nullopt;
    require(count >= 0);
    std::optional<SourceLocation> start = location();
    std::size_t end = index;
    for (std::int64_t taken = 0; taken < count && end < text.size(); ++taken)
        end = characterEnd(text, end);
    if (end == index && !allowEmpty)
        return std::nullopt;
    Lex token{text.substr(index, end - index), std::nullopt};
    index = end;
    if (std::optional<SourceLocation> stop = location(); start && stop)
        token.range = SourceRange(*start, *stop);
    return token;
}

std::optional<TrimmedLine::Lex> TrimmedLine::lexWhitespace(std::optional<std::int64_t> maxLength) {
    std::int64_t count = 0;
    // Spaces and tabs are one byte each.
    for (std::size_t i = index; isWhitespaceAt(text, i) && (!maxLength || count < *maxLength); ++i)
        ++count;
    return lex(count);
}

std::optional<TrimmedLine::Lex> TrimmedLine::lexIndentation(std::int64_t maxColumns) {
    std::int64_t count = 0;
    std::int64_t columns = 0;
    for (std::size_t i = index; isWhitespaceAt(text, i); ++i, ++count) {
        columns = columnAfter(columns, text[i]);
        if (columns > maxColumns)
            break;
    }
    return lex(count);
}

std::optional<TrimmedLine::Lex> TrimmedLine::lexUntil(char stop) {
    std::int64_t count = 0;
    for (std::size_t i = index; i < text.size() && !isCharacterAt(text, i, stop);
         i = characterEnd(text, i))
        ++count;
    return lex(count);
}

std::optional<TrimmedLine::Lex> TrimmedLine::lexCharacter(char c) {
    if (!isCharacterAt(text, index, c))
        return std::nullopt;
    return lex(1);
}

bool TrimmedLine::isEmptyOrAllWhitespace() const {
    // Any other byte belongs to a character that is neither a space nor a tab.
    return rest().find_first_not_of(" \t") == std::string_view::npos;
}

std::int64_t TrimmedLine::indentationColumnCount() const {
    std::int64_t columns = 0;
    for (std::size_t i = 0; isWhitespaceAt(text, i); ++i)
        columns = columnAfter(columns, text[i]);
    return columns;
}

bool TrimmedLine::isCodeFence() const {
    return readsAsRoadFence(rest());
}

} // namespace markdown
