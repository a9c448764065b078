#include "Markdown/directives/PendingBlockDirective.hpp"

#include "Markdown/directives/ParseContainerStack.hpp"
#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/Fatal.hpp"

#include <functional>
#include <string>

namespace markdown {
namespace {

using ParseState = PendingBlockDirective::ParseState;

// Lines reaching a directive are numbered by the splitter.
SourceLocation locationOf(const TrimmedLine& line) {
    std::optional<SourceLocation> location = line.location();
    require(location.has_value());
    return *location;
}

// Consumes blanks, then `c` when it follows; `end` moves past it.
bool consumeAfterBlanks(TrimmedLine& line, char c, SourceLocation& end) {
    line.lexWhitespace();
    std::optional<TrimmedLine::Lex> token = line.lexCharacter(c);
    if (!token)
        return false;
    require(token->range.has_value());
    end = token->range->upperBound();
    return true;
}

bool endsName(std::string_view text, std::size_t i) {
    for (char c : std::string_view("(),:{ \t")) {
        if (isCharacterAt(text, i, c))
            return true;
    }
    return false;
}

bool isWhitespaceCharacter(std::string_view text, std::size_t i) {
    return isCharacterAt(text, i, ' ') || isCharacterAt(text, i, '\t');
}

// Where the line holding `offset` starts: just after the nearest line break before it.
std::size_t lineStartBefore(std::string_view input, std::size_t offset) {
    for (std::size_t start = offset; start > 0; --start) {
        for (std::size_t length = 1; length <= 3 && length <= start; ++length) {
            if (newlineLength(input, start - length) == length)
                return start;
        }
    }
    return 0;
}

} // namespace

std::optional<PendingBlockDirective>
PendingBlockDirective::parseOpeningLine(const TrimmedLine& line, const ParseContainerStack& stack) {
    if (stack.isCodeLine(line))
        return std::nullopt;
    TrimmedLine rest = line;
    rest.lexWhitespace();
    std::optional<TrimmedLine::Lex> at = rest.lexCharacter('@');
    if (!at)
        return std::nullopt;
    std::int64_t nameLength = 0;
    std::string_view text = rest.rest();
    for (std::size_t i = 0; i < text.size() && !endsName(text, i); i = characterEnd(text, i))
        ++nameLength;
    std::optional<TrimmedLine::Lex> name = rest.lex(nameLength);
    if (!name)
        return std::nullopt;
    require(at->range && name->range);
    PendingBlockDirective directive{line.indentationColumnCount(),
                                    std::nullopt,
                                    at->range->lowerBound(),
                                    name->range->lowerBound(),
                                    name->text,
                                    {},
                                    ParseState::argumentsStart,
                                    name->range->upperBound(),
                                    std::nullopt};
    directive.parseArgumentsStart(std::move(rest));
    return directive;
}

bool PendingBlockDirective::parseArgumentsStart(TrimmedLine line) {
    require(parseState == ParseState::argumentsStart);
    line.lexWhitespace();
    if (line.lexCharacter('(')) {
        parseState = ParseState::argumentsText;
        parseArgumentsText(std::move(line));
        return true;
    }
    parseState = ParseState::contentsStart;
    return parseContentsStart(std::move(line));
}

bool PendingBlockDirective::parseArgumentsText(TrimmedLine line) {
    require(parseState == ParseState::argumentsText);
    bool appended = false;
    if (std::optional<TrimmedLine::Lex> text = line.lex(argumentTextLength(line.rest()))) {
        argumentsText.push_back(std::move(*text));
        appended = true;
    }
    endLocation = locationOf(line);
    if (isCharacterAt(line.rest(), 0, ')')) {
        parseState = ParseState::argumentsEnd;
        return parseArgumentsEnd(std::move(line));
    }
    return appended;
}

bool PendingBlockDirective::parseArgumentsEnd(TrimmedLine line) {
    require(parseState == ParseState::argumentsEnd);
    if (!consumeAfterBlanks(line, ')', endLocation))
        return false;
    parseState = ParseState::contentsStart;
    parseContentsStart(std::move(line));
    return true;
}

bool PendingBlockDirective::parseContentsStart(TrimmedLine line) {
    require(parseState == ParseState::contentsStart);
    if (!consumeAfterBlanks(line, '{', endLocation))
        return false;
    parseState = ParseState::contents;
    parseContents(std::move(line));
    return true;
}

bool PendingBlockDirective::parseContents(TrimmedLine line) {
    require(isInContents());
    if (consumeAfterBlanks(line, '}', endLocation)) {
        parseState = ParseState::done;
        return true;
    }

    std::string_view rest = line.rest();
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < rest.size(); i = characterEnd(rest, i))
        starts.push_back(i);
    while (!starts.empty() && isWhitespaceCharacter(rest, starts.back()))
        starts.pop_back();
    if (starts.empty() || !isCharacterAt(rest, starts.back(), '}'))
        return false;
    starts.pop_back();
    while (!starts.empty() && isWhitespaceCharacter(rest, starts.back()))
        starts.pop_back();
    std::string_view content =
        rest.substr(0, starts.empty() ? 0 : characterEnd(rest, starts.back()));

    std::size_t lead = characterCount(line.untrimmedText().substr(0, line.parseIndex()));
    innerIndentationColumnCount = static_cast<std::int64_t>(lead);
    pendingLine = TrimmedLine::owning(std::string(lead, ' ') + std::string(content),
                                      line.lineNumber(), line.source());
    parseState = ParseState::done;
    endLocation = SourceLocation(
        line.lineNumber().value_or(0),
        static_cast<std::int64_t>(characterCount(line.untrimmedText())) + 1, line.source());
    return false;
}

DirectiveArgumentText PendingBlockDirective::argumentText(std::string_view input) const {
    std::vector<DirectiveArgumentText::LineSegment> segments;
    for (const TrimmedLine::Lex& token : argumentsText) {
        std::less_equal<const char*> notAfter;
        require(notAfter(input.data(), token.text.data()) &&
                notAfter(token.text.data() + token.text.size(), input.data() + input.size()));
        auto offset = static_cast<std::size_t>(token.text.data() - input.data());
        std::size_t lineStart = 0;
        if (token.range) {
            // Columns count bytes from the line's start.
            std::int64_t column = token.range->lowerBound().column;
            require(column >= 1 && static_cast<std::size_t>(column - 1) <= offset);
            lineStart = offset - static_cast<std::size_t>(column - 1);
        } else {
            lineStart = lineStartBefore(input, offset);
        }
        segments.push_back(
            {std::string(input.substr(lineStart, offset - lineStart + token.text.size())),
             offset - lineStart, token.range});
    }
    return DirectiveArgumentText(std::move(segments));
}

} // namespace markdown
