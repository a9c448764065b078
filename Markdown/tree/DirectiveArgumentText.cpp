#include "Markdown/tree/DirectiveArgumentText.hpp"

#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/Fatal.hpp"
#include "Markdown/support/UnicodeText.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <algorithm>
#include <unordered_map>

namespace markdown {
namespace {

using ParseError = DirectiveArgumentText::ParseError;

// Errors are only worth reporting where they can be placed.
void record(std::vector<ParseError>& errors, const TrimmedLine& line, auto makeError) {
    if (std::optional<SourceLocation> location = line.location())
        errors.push_back(makeError(std::move(*location)));
}

void recordMissing(std::vector<ParseError>& errors, const TrimmedLine& line, char character) {
    record(errors, line, [&](SourceLocation location) -> ParseError {
        return DirectiveArgumentText::MissingExpectedCharacter{character, std::move(location)};
    });
}

// How many characters from the parse position make up a token, a backslash taking the
// character after it along whatever that is.
template <typename Ends> std::int64_t tokenLength(std::string_view rest, Ends endsToken) {
    std::int64_t count = 0;
    for (std::size_t i = 0; i < rest.size();) {
        bool escape = isCharacterAt(rest, i, '\\');
        if (!escape && endsToken(rest, i))
            break;
        i = characterEnd(rest, i);
        ++count;
        if (escape && i < rest.size()) {
            i = characterEnd(rest, i);
            ++count;
        }
    }
    return count;
}

std::optional<TrimmedLine::Lex> lexUnquotedToken(TrimmedLine& line) {
    std::int64_t length = tokenLength(line.rest(), [](std::string_view rest, std::size_t i) {
        return isCharacterAt(rest, i, ',') || isCharacterAt(rest, i, ' ') ||
               isCharacterAt(rest, i, ':') || isCharacterAt(rest, i, ')') ||
               isCharacterAt(rest, i, '{');
    });
    return line.lex(length);
}

std::optional<TrimmedLine::Lex> lexQuotedValue(TrimmedLine& line, std::vector<ParseError>& errors) {
    line.lexCharacter('"');
    std::int64_t length = tokenLength(line.rest(), [](std::string_view rest, std::size_t i) {
        return isCharacterAt(rest, i, '"');
    });
    std::optional<TrimmedLine::Lex> value = line.lex(length, true);
    if (!line.lexCharacter('"'))
        recordMissing(errors, line, '"');
    return value;
}

std::optional<TrimmedLine::Lex> lexToken(TrimmedLine& line, std::vector<ParseError>& errors) {
    if (isCharacterAt(line.rest(), 0, '"'))
        return lexQuotedValue(line, errors);
    return lexUnquotedToken(line);
}

bool startsWithComma(const TrimmedLine& line) {
    return isCharacterAt(line.rest(), 0, ',');
}

// Where no argument can begin: each stray comma is reported, then the text up to the next
// comma is passed over.
void skipToNextComma(TrimmedLine& line, std::vector<ParseError>& errors) {
    while (line.lexCharacter(',')) {
        record(errors, line, [](SourceLocation location) -> ParseError {
            return DirectiveArgumentText::UnexpectedCharacter{',', std::move(location)};
        });
    }
    line.lexUntil(',');
}

std::optional<SourceRange> rangeOf(const std::optional<TrimmedLine::Lex>& token) {
    return token ? token->range : std::nullopt;
}

} // namespace

std::string_view DirectiveArgumentText::LineSegment::trimmedText() const {
    require(parseIndex <= untrimmedText.size());
    return std::string_view(untrimmedText).substr(parseIndex);
}

std::vector<DirectiveArgument> DirectiveArgumentText::LineSegment::parseNameValueArguments(
    std::vector<ParseError>& parseErrors) const {
    std::optional<std::int64_t> lineNumber;
    std::optional<URL> source;
    if (range) {
        lineNumber = range->lowerBound().line;
        source = range->lowerBound().source;
    }
    TrimmedLine line(untrimmedText, parseIndex, lineNumber, std::move(source));
    std::vector<DirectiveArgument> arguments;
    line.lexWhitespace();
    while (!line.isEmptyOrAllWhitespace()) {
        line.lexWhitespace();
        std::optional<TrimmedLine::Lex> first = lexToken(line, parseErrors);
        if (!first) {
            skipToNextComma(line, parseErrors);
            continue;
        }
        std::optional<TrimmedLine::Lex> name;
        std::optional<TrimmedLine::Lex> value;
        if (arguments.empty() && (line.isEmptyOrAllWhitespace() || startsWithComma(line))) {
            value = first;
        } else {
            name = first;
            if (!line.lexCharacter(':'))
                recordMissing(parseErrors, line, ':');
            line.lexWhitespace();
            value = lexToken(line, parseErrors);
            if (!value) {
                skipToNextComma(line, parseErrors);
                continue;
            }
        }
        DirectiveArgument argument{name ? std::string(name->text) : std::string(), rangeOf(name),
                                   std::string(value->text), rangeOf(value), false};
        line.lexWhitespace();
        argument.hasTrailingComma = line.lexCharacter(',').has_value();
        arguments.push_back(std::move(argument));
        line.lexWhitespace();
    }
    return arguments;
}

bool operator==(const DirectiveArgumentText::LineSegment& a,
                const DirectiveArgumentText::LineSegment& b) {
    return a.parseIndex == b.parseIndex && a.range == b.range &&
           canonicallyEqual(a.untrimmedText, b.untrimmedText);
}

DirectiveArgumentText::DirectiveArgumentText(std::string_view text)
    : segments{LineSegment{std::string(text), 0, std::nullopt}} {}

bool DirectiveArgumentText::isEmpty() const {
    // Any byte but a space or a tab belongs to a Character that is neither.
    return std::ranges::all_of(segments, [](const LineSegment& segment) {
        return segment.untrimmedText.find_first_not_of(" \t") == std::string::npos;
    });
}

std::vector<DirectiveArgument> DirectiveArgumentText::parseNameValueArguments() const {
    std::vector<ParseError> ignored;
    return parseNameValueArguments(ignored);
}

std::vector<DirectiveArgument>
DirectiveArgumentText::parseNameValueArguments(std::vector<ParseError>& parseErrors) const {
    std::vector<DirectiveArgument> arguments;
    // The first argument of each name, keyed so that canonically equal names meet.
    std::unordered_map<std::string, std::size_t> firstByName;
    for (const LineSegment& segment : segments) {
        for (DirectiveArgument& argument : segment.parseNameValueArguments(parseErrors)) {
            auto [first, isNew] = firstByName.try_emplace(toNFC(argument.name), arguments.size());
            if (const DirectiveArgument* earlier = isNew ? nullptr : &arguments[first->second];
                earlier && earlier->nameRange && argument.nameRange)
                parseErrors.push_back(DuplicateArgument{argument.name,
                                                        earlier->nameRange->lowerBound(),
                                                        argument.nameRange->lowerBound()});
            arguments.push_back(std::move(argument));
        }
    }
    if (arguments.size() >= 2) {
        for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
            const DirectiveArgument& argument = arguments[i];
            if (!argument.hasTrailingComma && argument.valueRange)
                parseErrors.push_back(
                    MissingExpectedCharacter{',', argument.valueRange->upperBound()});
        }
    }
    return arguments;
}

} // namespace markdown
