#include "Markdown/directives/PendingDoxygenCommand.hpp"

#include "Markdown/directives/ParseContainerStack.hpp"
#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/Fatal.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace markdown {
namespace {

using Kind = PendingDoxygenCommand::CommandKind;

// A character is white space when its first scalar is, as for line breaks and no-break spaces.
bool isUnicodeWhitespaceAt(std::string_view text, std::size_t i) {
    auto next = static_cast<int32_t>(i);
    UChar32 scalar = 0;
    U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), next, static_cast<int32_t>(text.size()),
            scalar);
    return scalar >= 0 && u_isUWhiteSpace(scalar);
}

// Consumes the characters up to the first white-space one; absent when there are none.
std::optional<TrimmedLine::Lex> lexWord(TrimmedLine& line) {
    std::string_view rest = line.rest();
    std::int64_t count = 0;
    for (std::size_t i = 0; i < rest.size() && !isUnicodeWhitespaceAt(rest, i);
         i = characterEnd(rest, i))
        ++count;
    return line.lex(count);
}

std::optional<Kind::Case> commandNamed(std::string_view name) {
    const std::optional<DoxygenCommandName> command = doxygenCommandNamed(name);
    if (!command)
        return std::nullopt;
    switch (*command) {
    case DoxygenCommandName::param:
        return Kind::param;
    case DoxygenCommandName::discussion:
        return Kind::discussion;
    case DoxygenCommandName::note:
        return Kind::note;
    case DoxygenCommandName::abstract:
        return Kind::abstract;
    case DoxygenCommandName::returns:
        return Kind::returns;
    }
    return std::nullopt;
}

SourceLocation endOfLine(const TrimmedLine& line) {
    return SourceLocation(line.lineNumber().value_or(0),
                          static_cast<std::int64_t>(characterCount(line.untrimmedText())) + 1,
                          line.source());
}

} // namespace

std::string Kind::debugDescription() const {
    switch (kind) {
    case param:
        return "'param' Argument: '" + std::string(parameterName) + "'";
    case discussion:
        return "'discussion'";
    case note:
        return "'note'";
    case abstract:
        return "'abstract'";
    case returns:
        return "'returns'";
    }
    fatal();
}

std::optional<std::pair<PendingDoxygenCommand, TrimmedLine>>
PendingDoxygenCommand::parseOpeningLine(const TrimmedLine& line, const ParseContainerStack& stack) {
    if (!stack.options().contains(ParseOptions::parseMinimalDoxygen) ||
        stack.hasDirectiveInContents() || stack.isInCodeFence() || stack.isCodeLine(line))
        return std::nullopt;
    TrimmedLine rest = line;
    std::optional<TrimmedLine::Lex> indentation = rest.lexWhitespace();
    std::int64_t atSignIndentation =
        indentation ? static_cast<std::int64_t>(characterCount(indentation->text)) : 0;
    std::optional<TrimmedLine::Lex> at = rest.lexCharacter('@');
    if (!at)
        at = rest.lexCharacter('\\');
    if (!at)
        return std::nullopt;
    std::optional<TrimmedLine::Lex> name = lexWord(rest);
    if (!name)
        return std::nullopt;
    rest.lexWhitespace();
    std::optional<Kind::Case> kind = commandNamed(name->text);
    if (!kind)
        return std::nullopt;
    std::string_view parameterName;
    if (*kind == Kind::param) {
        std::optional<TrimmedLine::Lex> parameter = lexWord(rest);
        if (!parameter)
            return std::nullopt;
        parameterName = parameter->text;
        rest.lexWhitespace();
    }
    require(at->range && name->range);
    PendingDoxygenCommand command{at->range->lowerBound(),    atSignIndentation,
                                  name->range->lowerBound(),  std::nullopt,
                                  Kind{*kind, parameterName}, endOfLine(line)};
    command.addLine(rest);
    return std::pair{std::move(command), std::move(rest)};
}

void PendingDoxygenCommand::addLine(const TrimmedLine& line) {
    endLocation = endOfLine(line);
    if (innerIndentation)
        return;
    std::optional<SourceLocation> location = line.location();
    if (location && location->line == atLocation.line)
        return;
    if (!line.isEmptyOrAllWhitespace())
        innerIndentation = line.indentationColumnCount();
}

} // namespace markdown
