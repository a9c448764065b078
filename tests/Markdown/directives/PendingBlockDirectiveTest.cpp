#include "Markdown/directives/PendingBlockDirective.hpp"
#include "Markdown/directives/ParseContainerStack.hpp"

#include <gtest/gtest.h>

#include "Markdown/directives/ContainerConversion.hpp"
#include "Markdown/tree/LazySplitLines.hpp"
#include "tests/Markdown/RawBuilders.hpp"
#include <tuple>

namespace markdown {
namespace {
using namespace markdown::testing;
using State = PendingBlockDirective::ParseState;

std::optional<PendingBlockDirective> opening(std::string_view text) {
    return PendingBlockDirective::parseOpeningLine(lineOf(text), ParseContainerStack());
}

std::string joined(const auto& items, auto text, std::string_view separator) {
    std::string out;
    for (const auto& item : items)
        out += (&item == &*items.begin() ? "" : std::string(separator)) + text(item);
    return out;
}

// The argument tokens of a directive, joined by "|", or "none".
std::string argumentsOf(const PendingBlockDirective& directive) {
    auto text = [](const TrimmedLine::Lex& token) { return std::string(token.text); };
    return directive.argumentsText.empty() ? "none" : joined(directive.argumentsText, text, "|");
}

// The line left for the content, or "none".
std::string_view pendingText(const PendingBlockDirective& directive) {
    return directive.pendingLine ? directive.pendingLine->untrimmedText() : "none";
}

TEST(PendingBlockDirective, RunsItsStatesOverTheLinesUntilTheClosingParenthesisAndBrace) {
    const std::tuple<std::string, State, std::string, std::int64_t, std::string_view> cases[] = {
        {"@Name", State::contentsStart, "none", 6, "none"},
        {"@Name(a: 1) {", State::contents, "a: 1", 14, "none"},
        {"@Name(a: 1,", State::argumentsText, "a: 1,", 12, "none"},
        {"@Name(x) { }", State::done, "x", 13, "none"},
        // A parenthesis inside quotes or after a backslash stays argument text.
        {R"x(@Name(a: ")" b\)) {)x", State::contents, R"x(a: ")" b\))x", 20, "none"},
        {"@Na\xC3\xAFve:x", State::contentsStart, "none", 8, "none"},
        // Content closed on the opening line becomes a pending line.
        {"@Name { hello  world }  ", State::done, "none", 25, "        hello  world"},
    };
    for (const auto& [line, state, arguments, endColumn, pending] : cases) {
        std::optional<PendingBlockDirective> directive = opening(line);
        ASSERT_TRUE(directive) << line;
        EXPECT_EQ(std::tuple(directive->parseState, argumentsOf(*directive), directive->endLocation,
                             pendingText(*directive)),
                  std::tuple(state, arguments, SourceLocation(1, endColumn), pending))
            << line;
    }
    for (std::string_view line : {"", "x @Name", "@", "@ Name", "@(x)", "    @Name", "```@Name"})
        EXPECT_FALSE(opening(line)) << line;

    const PendingBlockDirective placed = *opening("   @Note(x: 1)");
    EXPECT_EQ(std::tuple(placed.name, placed.atIndentationColumnCount, placed.atLocation,
                         placed.nameLocation, placed.argumentsText[0].range),
              std::tuple("Note", 3, SourceLocation(1, 4), SourceLocation(1, 5),
                         SourceRange({1, 10}, {1, 14})));
    EXPECT_EQ(opening("@Name { hello  world }  ")->innerIndentationColumnCount, 8);

    PendingBlockDirective directive = *opening("@Name(");
    EXPECT_TRUE(directive.parseArgumentsText(lineOf("  a: 1,", 2)));
    EXPECT_EQ(directive.parseState, State::argumentsText);

    EXPECT_TRUE(directive.parseArgumentsText(lineOf("b: 2) {", 3)));
    // A continuation token starts at the line's first character.
    EXPECT_EQ(std::tuple(directive.parseState, argumentsOf(directive),
                         directive.argumentsText[0].range, directive.endLocation),
              std::tuple(State::contents, "  a: 1,|b: 2", SourceRange({2, 1}, {2, 8}),
                         SourceLocation(3, 8)));

    // Content lines close at a leading or trailing brace.
    const PendingBlockDirective open = *opening("@Name {");
    // The line, whether it was taken whole, the state after it and the line left pending.
    const std::tuple<std::string, bool, State, std::string_view> contentLines[] = {
        {"}", true, State::done, "none"},
        {"text", false, State::contents, "none"},
        {"  text }", false, State::done, "  text"},
        {"}\xCC\x81", false, State::contents, "none"}, // a brace with a mark
    };
    for (const auto& [line, accepted, state, pending] : contentLines) {
        PendingBlockDirective directive = open;
        const bool taken = directive.parseContents(lineOf(line, 2));
        EXPECT_EQ(std::tuple(taken, directive.parseState, pendingText(directive)),
                  std::tuple(accepted, state, pending));
    }
}

using Kind = PendingDoxygenCommand::CommandKind;

auto commandOpening(std::string_view text,
                    ParseOptions options = ParseOptions::parseMinimalDoxygen) {
    return PendingDoxygenCommand::parseOpeningLine(lineOf(text), ParseContainerStack(options));
}

TEST(PendingDoxygenCommand, RecognisesTheListedCommandsInAnyCaseAndRecordsTheirPlaces) {
    const std::tuple<std::string, Kind, std::string> cases[] = {
        {"@param x The x.", {Kind::param, "x"}, "The x."},
        {"\\Returns the sum", {Kind::returns}, "the sum"},
        {"@brief Short.", {Kind::abstract}, "Short."},
        {"   @note\tTake care.", {Kind::note}, "Take care."},
        // A no-break space ends the name, but is no blank to skip.
        {"@note\xC2\xA0x", {Kind::note}, "\xC2\xA0x"},
    };
    for (const auto& [line, kind, description] : cases) {
        auto command = commandOpening(line);
        ASSERT_TRUE(command) << line;
        EXPECT_EQ(command->first.kind, kind) << line;
        EXPECT_EQ(command->second.rest(), description) << line;
    }
    for (std::string_view line : {"@param", "@param  ", "@param\xE2\x80\x83x", "@paramx y",
                                  "@unknown", "@ note", "note", "x @note", "    @note"})
        EXPECT_FALSE(commandOpening(line)) << line;
    EXPECT_FALSE(commandOpening("@note x", {}));

    PendingDoxygenCommand param = commandOpening("  @param value The value.")->first;
    EXPECT_EQ(std::tuple(param.atLocation, param.nameLocation, param.atSignIndentation,
                         param.endLocation),
              std::tuple(SourceLocation(1, 3), SourceLocation(1, 4), 2, SourceLocation(1, 26)));

    // The inner indentation comes from the first non-blank line after the opening line.
    param.addLine(lineOf("@note on the opening line", 1));
    param.addLine(lineOf("  \t", 2));
    EXPECT_EQ(param.innerIndentation, std::nullopt);
    param.addLine(lineOf("   Second.", 3));
    param.addLine(lineOf("      Third.", 4));
    EXPECT_EQ(param.innerIndentation, 3);
    EXPECT_EQ(param.endLocation, SourceLocation(4, 13));

    // A tab before the "@" counts one, inside a directive whose content sits at 4 columns.
    ParseContainerStack stack(ParseOptions::parseMinimalDoxygen);
    PendingBlockDirective directive = *opening("@A");
    directive.atIndentationColumnCount = 4;
    stack.push(ParseContainer::BlockDirective{directive, {}});
    auto tabbed = PendingDoxygenCommand::parseOpeningLine(lineOf("\t@note x"), stack);
    EXPECT_EQ(tabbed->first.atSignIndentation, 1);
}

using Segment = DirectiveArgumentText::LineSegment;

using ParseError = DirectiveArgumentText::ParseError;
using Errors = std::vector<ParseError>;
using Arguments = std::vector<DirectiveArgument>;
using Missing = DirectiveArgumentText::MissingExpectedCharacter;
using Unexpected = DirectiveArgumentText::UnexpectedCharacter;
using Duplicate = DirectiveArgumentText::DuplicateArgument;

// A segment of line `line` whose argument text is all of `text`, placed from column 1.
Segment placed(const std::string& text, std::int64_t line = 1) {
    return Segment{text, 0, at(1, std::ssize(text) + 1, line)};
}

TEST(DirectiveArgumentText, IsBlankByWholeLinesAndParsesEverySyntaxCollectingErrorsAcrossLines) {
    EXPECT_EQ(DirectiveArgumentText("a: 1,\nb: 2").segments,
              (std::vector<Segment>{{"a: 1,\nb: 2", 0, std::nullopt}}));
    EXPECT_TRUE(DirectiveArgumentText().isEmpty());
    EXPECT_FALSE(DirectiveArgumentText(std::vector<Segment>{{"", 0, {}}, {" x", 0, {}}}).isEmpty());
    // The whole line counts, not only the part after the parse position.
    EXPECT_FALSE(DirectiveArgumentText(std::vector<Segment>{{"x  ", 1, {}}}).isEmpty());

    const std::tuple<std::string, Arguments, Errors> cases[] = {
        {"a: 1, b: 2",
         {{"a", at(1, 2), "1", at(4, 5), true}, {"b", at(7, 8), "2", at(10, 11)}},
         {}},
        {"a 1", {{"a", at(1, 2), "1", at(3, 4)}}, {Missing{':', {1, 2}}}},
        {"a: 1 b: 2",
         {{"a", at(1, 2), "1", at(4, 5)}, {"b", at(6, 7), "2", at(9, 10)}},
         {Missing{',', {1, 5}}}},
        {"a: 1,, b: 2", {{"a", at(1, 2), "1", at(4, 5), true}}, {Unexpected{',', {1, 7}}}},
        // After a first argument a lone word is a name still waiting for its colon.
        {"x, y", {{"", std::nullopt, "x", at(1, 2), true}}, {Missing{':', {1, 5}}}},
        // Every repeat of a name points at its first use, canonically equal spellings too.
        {"\u00e9: 1, e\u0301: 2, \u00e9: 3",
         {{"\u00e9", at(1, 3), "1", at(5, 6), true},
          {"e\u0301", at(8, 11), "2", at(13, 14), true},
          {"\u00e9", at(16, 18), "3", at(20, 21)}},
         {Duplicate{"e\u0301", {1, 1}, {1, 8}}, Duplicate{"\u00e9", {1, 1}, {1, 16}}}},
    };
    for (const auto& [text, arguments, expectedErrors] : cases) {
        Errors errors;
        EXPECT_EQ(DirectiveArgumentText({placed(text)}).parseNameValueArguments(errors), arguments)
            << text;
        EXPECT_EQ(errors, expectedErrors) << text;

        // Without a place the same arguments come out, with no ranges and no errors.
        Arguments unplaced = arguments;
        for (auto& argument : unplaced)
            argument.nameRange = argument.valueRange = std::nullopt;
        errors.clear();
        EXPECT_EQ(DirectiveArgumentText(text).parseNameValueArguments(errors), unplaced) << text;
        EXPECT_TRUE(errors.empty()) << text;
    }

    Errors errors{Missing{'"', {9, 9}}};
    DirectiveArgumentText twoLines({placed("a: 1", 3), placed("b: 2, a: 3", 4)});
    EXPECT_EQ(twoLines.parseNameValueArguments(errors),
              (Arguments{{"a", at(1, 2, 3), "1", at(4, 5, 3)},
                         {"b", at(1, 2, 4), "2", at(4, 5, 4), true},
                         {"a", at(7, 8, 4), "3", at(10, 11, 4)}}));
    // What was in the list stays; the duplicate comes with its line, the missing comma last.
    EXPECT_EQ(errors,
              (Errors{Missing{'"', {9, 9}}, Duplicate{"a", {3, 1}, {4, 7}}, Missing{',', {3, 5}}}));

    // Mid-line, tokens are placed from the line's start; the ")" after the value is passed over.
    const URL& file = noteFile;
    Segment segment{"  @Note(caf\xC3\xA9: \"b\")", 8, SourceRange({5, 9, file}, {5, 22, file})};
    errors.clear();
    EXPECT_EQ(segment.parseNameValueArguments(errors),
              (Arguments{{"caf\xC3\xA9", SourceRange({5, 9, file}, {5, 14, file}), "b",
                          SourceRange({5, 17, file}, {5, 18, file})}}));
    EXPECT_TRUE(errors.empty());
}

// A line a container: "run[line|line]", "@Name(argument line|...)[children]",
// "\kind name[line|...]"; children separated by spaces.
std::string shapeOf(const ParseContainer& container) {
    auto rest = [](const TrimmedLine& line) { return std::string(line.rest()); };
    if (const auto* run = std::get_if<ParseContainer::LineRun>(&container.value))
        return "run[" + joined(run->lines, rest, "|") + "]";
    if (const auto* command = std::get_if<ParseContainer::DoxygenCommand>(&container.value))
        return "\\" + command->command.kind.debugDescription() + "[" +
               joined(command->lines, rest, "|") + "]";
    if (const auto* block = std::get_if<ParseContainer::BlockDirective>(&container.value)) {
        const PendingBlockDirective& directive = block->directive;
        return "@" + std::string(directive.name) +
               (directive.argumentsText.empty() ? "" : "(" + argumentsOf(directive) + ")") +
               (block->children.empty() ? "" : "[" + joined(block->children, shapeOf, " ") + "]");
    }
    return joined(*container.children(), shapeOf, " ");
}

ParseContainerStack stackOf(std::string_view text, ParseOptions options = {}) {
    ParseContainerStack stack = Document::parseLines({text, std::nullopt}, options);
    EXPECT_EQ(stack.stack().size(), 1u);
    return stack;
}

TEST(ParseContainerStackDeathTest, GroupsLinesClosesDirectivesKnowsCodeAndGuardsItsShape) {
    const ParseOptions doxygen = ParseOptions::parseMinimalDoxygen;
    const std::tuple<std::string, std::string, ParseOptions> cases[] = {
        // Fences and indented code protect at-sign lines.
        {"```\n@Name\n```\n    @Name\n@Other", "run[```|@Name|```|    @Name] @Other", {}},
        // Without a brace, the first line that does not continue a directive ends it.
        {"text\n@A\nmore", "run[text] @A run[more]", {}},
        {"@A(\n  a: 1,\n  b: 2)\n{\nx\n}", "@A(  a: 1,|  b: 2)[run[x]]", {}},
        // A closing brace counts at the start of a line; text after it is dropped.
        {"@A {\n  x\n  y }\n  } gone\nz", "@A[run[  x|  y }]] run[z]", {}},
        {"@A {\nbefore\n@B {\ninner\n}\nafter\n}\nout",
         "@A[run[before] @B[run[inner]] run[after]] run[out]",
         {}},
        // Doxygen commands, never inside directive content.
        {"Sums.\n@param x The first\n  addend.\n@returns The sum.\n\nMore.",
         "run[Sums.] \\'param' Argument: 'x'[The first|  addend.] \\'returns'[The sum.] "
         "run[|More.]",
         doxygen},
        {"@A {\n@note x\n}", "@A[@note]", doxygen},
    };
    for (const auto& [text, shape, options] : cases)
        EXPECT_EQ(shapeOf(stackOf(text, options).root()), shape) << text;

    const std::tuple<std::string, SourceLocation, bool, std::size_t> closings[] = {
        {"@A(\na: 1,\nb: 2)\n{\ncontent\n}", SourceLocation(6, 2), true, 2},
        {"@A(a: 1,\n\nb", SourceLocation(1, 9), false, 1},
        {"@A {\ntext }", SourceLocation(1, 5), false, 0},
    };
    for (const auto& [text, end, done, arguments] : closings) {
        ParseContainerStack stack = stackOf(text);
        const auto& closed =
            std::get<ParseContainer::BlockDirective>(stack.root().children()->front().value);
        const PendingBlockDirective& directive = closed.directive;
        EXPECT_EQ(std::tuple(directive.endLocation, directive.parseState == State::done,
                             pendingText(directive), directive.argumentsText.size()),
                  std::tuple(end, done, "none", arguments));
    }

    // The content indentation decides what is code.
    ParseContainerStack directive;
    directive.accept(lineOf("@A {", 1));
    directive.accept(lineOf("    x", 2));
    for (auto [line, code] : {std::pair{"       y", false}, {"        y", true}})
        EXPECT_EQ(directive.isCodeLine(lineOf(line, 3)), code) << line;
    // A command's content starts at its "@" until its second line says otherwise.
    ParseContainerStack command(ParseOptions::parseMinimalDoxygen);
    command.accept(lineOf("  @note First", 1));
    EXPECT_TRUE(command.isCodeLine(lineOf("      second", 2)));
    command.accept(lineOf("      second", 2));
    EXPECT_FALSE(command.isCodeLine(lineOf("      third", 3)));

    // Argument segments hold their lines up to the token; the line before the directive ends in
    // a line separator (three bytes).
    std::string text = "intro\r\nx\xE2\x80\xA8  @Caf\xC3\xA9(a: 1,\n    b: 2) {\n}";
    ParseContainerStack parsed = stackOf(text);
    const auto& block =
        std::get<ParseContainer::BlockDirective>(parsed.root().children()->at(1).value);
    EXPECT_EQ(block.directive.argumentText(text).segments,
              (std::vector<Segment>{{"  @Caf\xC3\xA9(a: 1,", 9, SourceRange({3, 10}, {3, 15})},
                                    {"    b: 2", 0, SourceRange({4, 1}, {4, 9})}}));
    // Tokens without a place find their line start at the line break before them.
    PendingBlockDirective unplaced = block.directive;
    for (auto& token : unplaced.argumentsText)
        token.range.reset();
    EXPECT_EQ(unplaced.argumentText(text).segments,
              (std::vector<Segment>{{"  @Caf\xC3\xA9(a: 1,", 9, std::nullopt},
                                    {"    b: 2", 0, std::nullopt}}));

    // The stack guards its shape and a directive its states.
    PendingBlockDirective bare = *opening("@Name");
    EXPECT_DEATH(bare.parseArgumentsText(lineOf("x")), "");
    EXPECT_DEATH(bare.parseContents(lineOf("}")), "");
    EXPECT_DEATH(ParseContainerStack().push(ParseContainer::Root{}),
                 "Cannot push additional document containers onto the parse container stack");
    EXPECT_DEATH(ParseContainerStack().closeTop(), "");
    ParseContainerStack runs;
    runs.push(ParseContainer::LineRun{});
    runs.push(ParseContainer::LineRun{});
    EXPECT_DEATH(runs.closeTop(), "Line runs cannot have children");
    command.push(ParseContainer::LineRun{});
    EXPECT_DEATH(command.closeTop(), "Doxygen commands cannot have children");
    // Only the root container converts to a document.
    const ParseContainer run = ParseContainer::LineRun{};
    EXPECT_DEATH((void)convertToDocument(run, "", std::nullopt, {}),
                 "Tried to convert a non-root container to a `Document`");
}

} // namespace
} // namespace markdown
