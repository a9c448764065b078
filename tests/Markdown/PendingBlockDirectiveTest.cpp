#include "Markdown/PendingBlockDirective.hpp"
#include "Markdown/ParseContainerStack.hpp"

#include <gtest/gtest.h>

#include "Markdown/DirectiveArgumentText.hpp"
#include "Markdown/Document.hpp"
#include "Markdown/LazySplitLines.hpp"
#include "Markdown/PendingDoxygenCommand.hpp"
#include "StackThread.hpp"
#include <string>
#include <vector>

namespace markdown {
namespace {
using State = PendingBlockDirective::ParseState;

TrimmedLine lineOf(std::string_view text, std::int64_t number = 1) {
    return TrimmedLine(text, 0, number, std::nullopt);
}

std::optional<PendingBlockDirective> opening(std::string_view text) {
    return PendingBlockDirective::parseOpeningLine(lineOf(text), ParseContainerStack());
}

std::vector<std::string> argumentTexts(const PendingBlockDirective& directive) {
    std::vector<std::string> texts;
    for (const auto& token : directive.argumentsText)
        texts.emplace_back(token.text);
    return texts;
}

TEST(PendingBlockDirective, OpeningLineRunsTheStatesAsFarAsItGoes) {
    using Texts = std::vector<std::string>;
    struct Case {
        std::string line;
        State state;
        Texts arguments;
        std::int64_t endColumn;
    };
    const Case cases[] = {
        {"@Name", State::contentsStart, {}, 6},
        {"@Name(a: 1) {", State::contents, {"a: 1"}, 14},
        {"@Name(a: 1,", State::argumentsText, {"a: 1,"}, 12},
        {"@Name(x) { }", State::done, {"x"}, 13},
        // A parenthesis inside quotes or after a backslash stays argument text.
        {R"x(@Name(a: ")" b\)) {)x", State::contents, {R"x(a: ")" b\))x"}, 20},
        {"@Na\xC3\xAFve:x", State::contentsStart, {}, 8},
    };
    for (const auto& c : cases) {
        std::optional<PendingBlockDirective> directive = opening(c.line);
        ASSERT_TRUE(directive) << c.line;
        EXPECT_EQ(directive->parseState, c.state) << c.line;
        EXPECT_EQ(argumentTexts(*directive), c.arguments) << c.line;
        EXPECT_EQ(directive->endLocation, SourceLocation(1, c.endColumn)) << c.line;
        EXPECT_FALSE(directive->pendingLine) << c.line;
    }
    for (std::string_view line : {"", "x @Name", "@", "@ Name", "@(x)", "    @Name", "```@Name"})
        EXPECT_FALSE(opening(line)) << line;

    std::optional<PendingBlockDirective> placed = opening("   @Note(x: 1)");
    EXPECT_EQ(placed->name, "Note");
    EXPECT_EQ(placed->atIndentationColumnCount, 3);
    EXPECT_EQ(placed->atLocation, SourceLocation(1, 4));
    EXPECT_EQ(placed->nameLocation, SourceLocation(1, 5));
    EXPECT_EQ(placed->argumentsText[0].range, SourceRange({1, 10}, {1, 14}));
}

TEST(PendingBlockDirective, ContentClosedOnTheOpeningLineBecomesAPendingLine) {
    std::optional<PendingBlockDirective> directive = opening("@Name { hello  world }  ");
    ASSERT_TRUE(directive && directive->pendingLine);
    EXPECT_EQ(directive->parseState, State::done);
    EXPECT_EQ(directive->pendingLine->untrimmedText(), "        hello  world");
    EXPECT_EQ(directive->innerIndentationColumnCount, 8);
    EXPECT_EQ(directive->endLocation, SourceLocation(1, 25));
}

TEST(PendingBlockDirective, ArgumentsRunOverLinesUntilTheirParenthesis) {
    PendingBlockDirective directive = *opening("@Name(");
    EXPECT_TRUE(directive.parseArgumentsText(lineOf("  a: 1,", 2)));
    EXPECT_EQ(directive.parseState, State::argumentsText);

    EXPECT_TRUE(directive.parseArgumentsText(lineOf("b: 2) {", 3)));
    EXPECT_EQ(directive.parseState, State::contents);
    EXPECT_EQ(argumentTexts(directive), (std::vector<std::string>{"  a: 1,", "b: 2"}));
    // A continuation token starts at the line's first character.
    EXPECT_EQ(directive.argumentsText[0].range, SourceRange({2, 1}, {2, 8}));
    EXPECT_EQ(directive.endLocation, SourceLocation(3, 8));
}

TEST(PendingBlockDirective, ContentLinesCloseAtALeadingOrTrailingBrace) {
    const PendingBlockDirective open = *opening("@Name {");
    struct Case {
        std::string line;
        bool accepted;
        State state;
        std::optional<std::string> pending;
    };
    const Case cases[] = {
        {"}", true, State::done, std::nullopt},
        {"text", false, State::contents, std::nullopt},
        {"  text }", false, State::done, "  text"},
        {"}\xCC\x81", false, State::contents, std::nullopt}, // a brace with a mark
    };
    for (const auto& c : cases) {
        PendingBlockDirective directive = open;
        EXPECT_EQ(directive.parseContents(lineOf(c.line, 2)), c.accepted) << c.line;
        EXPECT_EQ(directive.parseState, c.state) << c.line;
        std::optional<std::string> pending;
        if (directive.pendingLine)
            pending = std::string(directive.pendingLine->untrimmedText());
        EXPECT_EQ(pending, c.pending) << c.line;
    }
}

TEST(PendingBlockDirectiveDeathTest, AStepInAnotherStateStops) {
    PendingBlockDirective directive = *opening("@Name");
    EXPECT_DEATH(directive.parseArgumentsText(lineOf("x")), "");
    EXPECT_DEATH(directive.parseContents(lineOf("}")), "");
}

using Kind = PendingDoxygenCommand::CommandKind;

std::optional<std::pair<PendingDoxygenCommand, TrimmedLine>> commandOpening(std::string_view text,
                                                                            bool doxygen = true) {
    return PendingDoxygenCommand::parseOpeningLine(
        lineOf(text),
        ParseContainerStack(doxygen ? ParseOptions::parseMinimalDoxygen : ParseOptions()));
}

TEST(PendingDoxygenCommand, RecognisesTheListedCommandsInAnyCase) {
    struct Case {
        std::string line;
        Kind kind;
        std::string description;
    };
    const Case cases[] = {
        {"@param x The x.", {Kind::param, "x"}, "The x."},
        {"\\Returns the sum", {Kind::returns}, "the sum"},
        {"@brief Short.", {Kind::abstract}, "Short."},
        {"   @note\tTake care.", {Kind::note}, "Take care."},
        // A no-break space ends the name, but is no blank to skip.
        {"@note\xC2\xA0x", {Kind::note}, "\xC2\xA0x"},
    };
    for (const auto& c : cases) {
        auto command = commandOpening(c.line);
        ASSERT_TRUE(command) << c.line;
        EXPECT_EQ(command->first.kind, c.kind) << c.line;
        EXPECT_EQ(command->second.rest(), c.description) << c.line;
    }
    for (std::string_view line : {"@param", "@param  ", "@param\xE2\x80\x83x", "@paramx y",
                                  "@unknown", "@ note", "note", "x @note", "    @note"})
        EXPECT_FALSE(commandOpening(line)) << line;
    EXPECT_FALSE(commandOpening("@note x", false));
}

TEST(PendingDoxygenCommand, RecordsPlacesAndIndentation) {
    PendingDoxygenCommand param = commandOpening("  @param value The value.")->first;
    EXPECT_EQ(param.atLocation, SourceLocation(1, 3));
    EXPECT_EQ(param.nameLocation, SourceLocation(1, 4));
    EXPECT_EQ(param.atSignIndentation, 2);
    EXPECT_EQ(param.endLocation, SourceLocation(1, 26));
    EXPECT_EQ(param.kind.debugDescription(), "'param' Argument: 'value'");

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
    PendingBlockDirective directive = *PendingBlockDirective::parseOpeningLine(lineOf("@A"), stack);
    directive.atIndentationColumnCount = 4;
    stack.push(ParseContainer::BlockDirective{directive, {}});
    EXPECT_EQ(PendingDoxygenCommand::parseOpeningLine(lineOf("\t@note x"), stack)
                  ->first.atSignIndentation,
              1);
}

using Segment = DirectiveArgumentText::LineSegment;

TEST(DirectiveArgumentText, TextBecomesOneSegmentWithoutARange) {
    DirectiveArgumentText arguments("a: 1,\nb: 2");
    ASSERT_EQ(arguments.segments.size(), 1u);
    EXPECT_EQ(arguments.segments[0].untrimmedText, "a: 1,\nb: 2");
    EXPECT_EQ(arguments.segments[0].parseIndex, 0u);
    EXPECT_EQ(arguments.segments[0].range, std::nullopt);
}

TEST(DirectiveArgumentText, IsEmptyWhenOnlyBlanksAreWritten) {
    struct Case {
        DirectiveArgumentText text;
        bool empty;
    };
    const Case cases[] = {
        {DirectiveArgumentText(), true},
        {DirectiveArgumentText(std::vector<Segment>{{"", 0, {}}, {" x", 0, {}}}), false},
        // The whole line counts, not only the part after the parse position.
        {DirectiveArgumentText(std::vector<Segment>{{"x  ", 1, {}}}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text.isEmpty(), c.empty);
}

using ParseError = DirectiveArgumentText::ParseError;
using Missing = DirectiveArgumentText::MissingExpectedCharacter;
using Unexpected = DirectiveArgumentText::UnexpectedCharacter;
using Duplicate = DirectiveArgumentText::DuplicateArgument;

// A segment of line `line` whose argument text is all of `text`, placed from column 1.
Segment placed(std::string text, std::int64_t line = 1) {
    auto end = static_cast<std::int64_t>(text.size()) + 1;
    return Segment{std::move(text), 0, SourceRange({line, 1}, {line, end})};
}

SourceRange at(std::int64_t from, std::int64_t to, std::int64_t line = 1) {
    return SourceRange({line, from}, {line, to});
}

DirectiveArgument named(std::string name, SourceRange nameRange, std::string value,
                        SourceRange valueRange, bool comma = false) {
    return {std::move(name), nameRange, std::move(value), valueRange, comma};
}

DirectiveArgument unnamed(std::string value, SourceRange valueRange, bool comma = false) {
    return {"", std::nullopt, std::move(value), valueRange, comma};
}

TEST(DirectiveArgumentText, ParsesEveryArgumentSyntaxAndCollectsItsErrors) {
    struct Case {
        std::string text;
        std::vector<DirectiveArgument> arguments;
        std::vector<ParseError> errors;
    };
    const Case cases[] = {
        {"a: 1, b: 2",
         {named("a", at(1, 2), "1", at(4, 5), true), named("b", at(7, 8), "2", at(10, 11))},
         {}},
        {"a 1", {named("a", at(1, 2), "1", at(3, 4))}, {Missing{':', {1, 2}}}},
        {"a: 1 b: 2",
         {named("a", at(1, 2), "1", at(4, 5)), named("b", at(6, 7), "2", at(9, 10))},
         {Missing{',', {1, 5}}}},
        {"a: 1,, b: 2", {named("a", at(1, 2), "1", at(4, 5), true)}, {Unexpected{',', {1, 7}}}},
        // After a first argument a lone word is a name still waiting for its colon.
        {"x, y", {unnamed("x", at(1, 2), true)}, {Missing{':', {1, 5}}}},
        {"a: 1, a: 2",
         {named("a", at(1, 2), "1", at(4, 5), true), named("a", at(7, 8), "2", at(10, 11))},
         {Duplicate{"a", {1, 1}, {1, 7}}}},
        // Every repeat of a name points at its first use, canonically equal spellings too.
        {"\u00e9: 1, e\u0301: 2, \u00e9: 3",
         {named("\u00e9", at(1, 3), "1", at(5, 6), true),
          named("e\u0301", at(8, 11), "2", at(13, 14), true),
          named("\u00e9", at(16, 18), "3", at(20, 21))},
         {Duplicate{"e\u0301", {1, 1}, {1, 8}}, Duplicate{"\u00e9", {1, 1}, {1, 16}}}},
    };
    for (const auto& c : cases) {
        DirectiveArgumentText text({placed(c.text)});
        std::vector<ParseError> errors;
        EXPECT_EQ(text.parseNameValueArguments(errors), c.arguments) << c.text;
        EXPECT_EQ(errors, c.errors) << c.text;

        // Without a place the same arguments come out, with no ranges and no errors.
        std::vector<DirectiveArgument> unplaced = c.arguments;
        for (auto& argument : unplaced)
            argument.nameRange = argument.valueRange = std::nullopt;
        errors.clear();
        EXPECT_EQ(DirectiveArgumentText(c.text).parseNameValueArguments(errors), unplaced)
            << c.text;
        EXPECT_TRUE(errors.empty()) << c.text;
    }
}

TEST(DirectiveArgumentText, ChecksNamesAndCommasAcrossLines) {
    std::vector<ParseError> errors{Missing{'"', {9, 9}}};
    DirectiveArgumentText twoLines({placed("a: 1", 3), placed("b: 2, a: 3", 4)});
    EXPECT_EQ(twoLines.parseNameValueArguments(errors),
              (std::vector<DirectiveArgument>{named("a", at(1, 2, 3), "1", at(4, 5, 3)),
                                              named("b", at(1, 2, 4), "2", at(4, 5, 4), true),
                                              named("a", at(7, 8, 4), "3", at(10, 11, 4))}));
    // What was in the list stays; the duplicate comes with its line, the missing comma last.
    EXPECT_EQ(errors, (std::vector<ParseError>{Missing{'"', {9, 9}}, Duplicate{"a", {3, 1}, {4, 7}},
                                               Missing{',', {3, 5}}}));
    EXPECT_EQ(twoLines.parseNameValueArguments().size(), 3u);
}

TEST(DirectiveArgumentText, PlacesTokensFromTheLineStartWhenParsingMidLine) {
    const URL file = URL::fileURL(std::string("/notes/a.md"));
    Segment segment{"  @Note(caf\xC3\xA9: \"b\")", 8, SourceRange({5, 9, file}, {5, 22, file})};
    std::vector<ParseError> errors;
    std::vector<DirectiveArgument> arguments = segment.parseNameValueArguments(errors);
    ASSERT_EQ(arguments.size(), 1u);
    EXPECT_EQ(arguments[0].name, "caf\xC3\xA9");
    EXPECT_EQ(arguments[0].nameRange, SourceRange({5, 9, file}, {5, 14, file}));
    EXPECT_EQ(arguments[0].value, "b");
    EXPECT_EQ(arguments[0].valueRange, SourceRange({5, 17, file}, {5, 18, file}));
    // The ")" after the value is no token: it is passed over without a report.
    EXPECT_TRUE(errors.empty());
}

std::string joined(const auto& items, auto text, std::string_view separator) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() && &item == &*items.begin() ? "" : std::string(separator)) + text(item);
    return out;
}

// A line a container: "run[line|line]", "@Name(argument line|...)[children]",
// "\kind name[line|...]"; children separated by spaces.
std::string shapeOf(const ParseContainer& container) {
    auto rest = [](const TrimmedLine& line) { return std::string(line.rest()); };
    auto children = [](const std::vector<ParseContainer>& all) {
        return all.empty() ? "" : "[" + joined(all, shapeOf, " ") + "]";
    };
    if (const auto* run = std::get_if<ParseContainer::LineRun>(&container.value))
        return "run[" + joined(run->lines, rest, "|") + "]";
    if (const auto* command = std::get_if<ParseContainer::DoxygenCommand>(&container.value))
        return "\\" + command->command.kind.debugDescription() + "[" +
               joined(command->lines, rest, "|") + "]";
    if (const auto* block = std::get_if<ParseContainer::BlockDirective>(&container.value)) {
        const auto& tokens = block->directive.argumentsText;
        auto text = [](const TrimmedLine::Lex& token) { return std::string(token.text); };
        return "@" + std::string(block->directive.name) +
               (tokens.empty() ? "" : "(" + joined(tokens, text, "|") + ")") +
               children(block->children);
    }
    return joined(*container.children(), shapeOf, " ");
}

std::string shapeOf(std::string_view text, bool doxygen = false) {
    ParseContainerStack stack = Document::parseLines(
        {text, std::nullopt}, doxygen ? ParseOptions::parseMinimalDoxygen : ParseOptions());
    EXPECT_EQ(stack.stack().size(), 1u);
    return shapeOf(stack.root());
}

TEST(ParseContainerStack, GroupsLinesIntoDirectivesCommandsAndRuns) {
    struct Case {
        std::string text;
        std::string shape;
        bool doxygen = false;
    };
    const std::string doc = "Sums.\n@param x The first\n  addend.\n@returns The sum.\n\nMore.";
    const Case cases[] = {
        // Fences and indented code protect at-sign lines.
        {"```\n@Name\n```\n    @Name\n@Other", "run[```|@Name|```|    @Name] @Other"},
        // Without a brace, the first line that does not continue a directive ends it.
        {"text\n@A\nmore", "run[text] @A run[more]"},
        {"@A(\n  a: 1,\n  b: 2)\n{\nx\n}", "@A(  a: 1,|  b: 2)[run[x]]"},
        // A closing brace counts at the start of a line; text after it is dropped.
        {"@A {\n  x\n  y }\n  } gone\nz", "@A[run[  x|  y }]] run[z]"},
        // Nesting.
        {"@A {\nbefore\n@B {\ninner\n}\nafter\n}\nout",
         "@A[run[before] @B[run[inner]] run[after]] run[out]"},
        // Doxygen commands, never inside directive content.
        {doc,
         "run[Sums.] \\'param' Argument: 'x'[The first|  addend.] \\'returns'[The sum.] "
         "run[|More.]",
         true},
        {"@A {\n@note x\n}", "@A[@note]", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shapeOf(c.text, c.doxygen), c.shape) << c.text;
}

TEST(ParseContainerStack, ClosesADirectiveAtItsBraceAndDescribesTheTree) {
    std::string text = "@A(\na: 1,\nb: 2)\n{\ncontent\n}";
    ParseContainerStack stack = Document::parseLines({text, std::nullopt}, {});
    EXPECT_EQ(stack.stack().size(), 1u);
    const auto& done =
        std::get<ParseContainer::BlockDirective>(stack.root().children()->back().value);
    EXPECT_EQ(done.directive.endLocation, SourceLocation(6, 2));
    EXPECT_EQ(stack.root().debugDescription(), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        "a: 1,"
        "b: 2"
        * Line Run
          "content"
)x");

    // A refused line ends a directive as it stood before that line.
    for (auto [text, end] : {std::pair{"@A(a: 1,\n\nb", SourceLocation(1, 9)},
                             {"@A {\ntext }", SourceLocation(1, 5)}}) {
        ParseContainerStack refused = Document::parseLines({text, std::nullopt}, {});
        const auto& closed =
            std::get<ParseContainer::BlockDirective>(refused.root().children()->front().value);
        EXPECT_EQ(closed.directive.endLocation, end) << text;
        EXPECT_NE(closed.directive.parseState, State::done) << text;
        EXPECT_FALSE(closed.directive.pendingLine) << text;
        EXPECT_EQ(closed.directive.argumentsText.size(), text[2] == '(' ? 1u : 0u) << text;
    }
}

TEST(ParseContainerStack, ContentIndentationDecidesWhatIsCode) {
    ParseContainerStack directive;
    directive.accept(TrimmedLine("@A {", 0, 1, std::nullopt));
    directive.accept(TrimmedLine("    x", 0, 2, std::nullopt));
    for (auto [line, code] : {std::pair{"       y", false}, {"        y", true}})
        EXPECT_EQ(directive.isCodeLine(TrimmedLine(line, 0, 3, std::nullopt)), code) << line;
    // A command's content starts at its "@" until its second line says otherwise.
    ParseContainerStack command(ParseOptions::parseMinimalDoxygen);
    command.accept(TrimmedLine("  @note First", 0, 1, std::nullopt));
    EXPECT_TRUE(command.isCodeLine(TrimmedLine("      second", 0, 2, std::nullopt)));
    command.accept(TrimmedLine("      second", 0, 2, std::nullopt));
    EXPECT_FALSE(command.isCodeLine(TrimmedLine("      third", 0, 3, std::nullopt)));
}

TEST(ParseContainerStackDeathTest, GuardsItsShape) {
    EXPECT_DEATH(ParseContainerStack().push(ParseContainer::Root{}),
                 "Cannot push additional document containers onto the parse container stack");
    EXPECT_DEATH(ParseContainerStack().closeTop(), "");
    ParseContainerStack runs;
    runs.push(ParseContainer::LineRun{});
    runs.push(ParseContainer::LineRun{});
    EXPECT_DEATH(runs.closeTop(), "Line runs cannot have children");
    ParseContainerStack commands(ParseOptions::parseMinimalDoxygen);
    commands.accept(TrimmedLine("@note x", 0, 1, std::nullopt));
    commands.push(ParseContainer::LineRun{});
    EXPECT_DEATH(commands.closeTop(), "Doxygen commands cannot have children");
}

TEST(ParseContainerStack, DeepNestingDoesNotOverflowTheStack) {
    testing::runWithStackSize(testing::desktopStackSize, [] {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += "@A {\n";
        ParseContainerStack stack =
            Document::parseLines({text, std::nullopt}, ParseOptions::parseMinimalDoxygen);
        std::size_t depth = 0;
        const ParseContainer* container = &stack.root();
        for (; container->children() && !container->children()->empty(); ++depth)
            container = &container->children()->back();
        EXPECT_EQ(depth, 100001u); // the last, empty line is a run in the innermost directive
    });
}

} // namespace
} // namespace markdown
