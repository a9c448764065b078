#include "Markdown/PendingBlockDirective.hpp"
#include "Markdown/ParseContainerStack.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

using State = PendingBlockDirective::ParseState;

TrimmedLine lineOf(std::string_view text, std::int64_t number = 1) {
    return TrimmedLine(text, 0, number, std::nullopt);
}

std::optional<PendingBlockDirective> opening(std::string_view text) {
    ParseContainerStack stack;
    return PendingBlockDirective::parseOpeningLine(lineOf(text), stack);
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
        {"@Name foo", State::contentsStart, {}, 6},
        {"@Name(a: 1) {", State::contents, {"a: 1"}, 14},
        {"@Name (a: 1)", State::contentsStart, {"a: 1"}, 13},
        {"@Name(", State::argumentsText, {}, 7},
        {"@Name(a: 1,", State::argumentsText, {"a: 1,"}, 12},
        {"@Name()", State::contentsStart, {}, 8},
        {"@Name(x) { }", State::done, {"x"}, 13},
        {"@Name {}", State::done, {}, 9},
        {"@Name {} trailing", State::done, {}, 9},
        // A parenthesis inside quotes or after a backslash stays argument text.
        {R"x(@Name(a: ")" b\)) {)x", State::contents, {R"x(a: ")" b\))x"}, 20},
        {R"(@Name(a: "x)", State::argumentsText, {R"(a: "x)"}, 12},
        {"@Na\xC3\xAFve:x", State::contentsStart, {}, 8},
    };
    for (const auto& c : cases) {
        std::optional<PendingBlockDirective> directive = opening(c.line);
        ASSERT_TRUE(directive) << c.line;
        EXPECT_EQ(directive->parseState, c.state) << c.line;
        EXPECT_EQ(argumentTexts(*directive), c.arguments) << c.line;
        EXPECT_EQ(directive->endLocation, SourceLocation(1, c.endColumn)) << c.line;
        EXPECT_EQ(directive->pendingLine.has_value(), false) << c.line;
    }
}

TEST(PendingBlockDirective, RecordsPlacesOfTheOpeningLine) {
    std::optional<PendingBlockDirective> directive = opening("   @Note(x: 1)");
    ASSERT_TRUE(directive);
    EXPECT_EQ(directive->name, "Note");
    EXPECT_EQ(directive->atIndentationColumnCount, 3);
    EXPECT_EQ(directive->innerIndentationColumnCount, std::nullopt);
    EXPECT_EQ(directive->atLocation, SourceLocation(1, 4));
    EXPECT_EQ(directive->nameLocation, SourceLocation(1, 5));
    ASSERT_EQ(directive->argumentsText.size(), 1u);
    EXPECT_EQ(directive->argumentsText[0].range, SourceRange({1, 10}, {1, 14}));
}

TEST(PendingBlockDirective, OnlyAnAtSignAndANameOutsideCodeOpen) {
    for (std::string_view line :
         {"", "Name", "x @Name", "@", "@ Name", "@(x)", "@{", "    @Name", "\t@Name", "```@Name"}) {
        EXPECT_FALSE(opening(line)) << line;
    }
    EXPECT_TRUE(opening("   @Name"));
}

TEST(PendingBlockDirective, ContentClosedOnTheOpeningLineBecomesAPendingLine) {
    std::optional<PendingBlockDirective> directive = opening("@Name { hello  world }  ");
    ASSERT_TRUE(directive);
    EXPECT_EQ(directive->parseState, State::done);
    ASSERT_TRUE(directive->pendingLine);
    EXPECT_EQ(directive->pendingLine->untrimmedText(), "        hello  world");
    EXPECT_EQ(directive->pendingLine->lineNumber(), 1);
    EXPECT_EQ(directive->innerIndentationColumnCount, 8);
    EXPECT_EQ(directive->endLocation, SourceLocation(1, 25));

    // The end here counts characters: one column short of the accented name's bytes.
    std::optional<PendingBlockDirective> accented = opening("@Caf\xC3\xA9 {x}");
    ASSERT_TRUE(accented && accented->pendingLine);
    EXPECT_EQ(accented->pendingLine->untrimmedText(), "       x");
    EXPECT_EQ(accented->endLocation, SourceLocation(1, 10));
}

TEST(PendingBlockDirective, ArgumentsRunOverLinesUntilTheirParenthesis) {
    std::optional<PendingBlockDirective> directive = opening("@Name(");
    ASSERT_TRUE(directive);
    EXPECT_TRUE(directive->parseArgumentsText(lineOf("  a: 1,", 2)));
    EXPECT_EQ(directive->parseState, State::argumentsText);

    PendingBlockDirective blank = *directive;
    EXPECT_FALSE(blank.parseArgumentsText(lineOf("", 3)));
    EXPECT_EQ(blank.parseState, State::argumentsText);

    EXPECT_TRUE(directive->parseArgumentsText(lineOf("b: 2) {", 3)));
    EXPECT_EQ(directive->parseState, State::contents);
    EXPECT_EQ(argumentTexts(*directive), (std::vector<std::string>{"  a: 1,", "b: 2"}));
    // A continuation token starts at the line's first character.
    EXPECT_EQ(directive->argumentsText[0].range, SourceRange({2, 1}, {2, 8}));
    EXPECT_EQ(directive->endLocation, SourceLocation(3, 8));

    PendingBlockDirective closing = *opening("@Name(x");
    EXPECT_TRUE(closing.parseArgumentsText(lineOf(")", 2)));
    EXPECT_EQ(closing.parseState, State::contentsStart);
    EXPECT_EQ(closing.endLocation, SourceLocation(2, 2));
}

TEST(PendingBlockDirective, ContentStartsWithABraceOnTheNextLine) {
    PendingBlockDirective directive = *opening("@Name");
    PendingBlockDirective refused = directive;
    EXPECT_FALSE(refused.parseContentsStart(lineOf("text", 2)));
    EXPECT_EQ(refused.parseState, State::contentsStart);

    EXPECT_TRUE(directive.parseContentsStart(lineOf("  {", 2)));
    EXPECT_EQ(directive.parseState, State::contents);
    EXPECT_EQ(directive.endLocation, SourceLocation(2, 4));
}

TEST(PendingBlockDirective, ContentLinesCloseAtALeadingOrTrailingBrace) {
    PendingBlockDirective open = *opening("@Name {");
    struct Case {
        std::string line;
        bool accepted;
        State state;
        std::optional<std::string> pending;
    };
    const Case cases[] = {
        {"}", true, State::done, std::nullopt},
        {"   } ignored", true, State::done, std::nullopt},
        {"text", false, State::contents, std::nullopt},
        {"", false, State::contents, std::nullopt},
        {"  \t", false, State::contents, std::nullopt},
        {"  text }", false, State::done, "  text"},
        {"a}}", false, State::done, "a}"},
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
    PendingBlockDirective closed = open;
    closed.parseContents(lineOf("  }", 2));
    EXPECT_EQ(closed.endLocation, SourceLocation(2, 4));
}

TEST(PendingBlockDirectiveDeathTest, AStepInAnotherStateStops) {
    PendingBlockDirective directive = *opening("@Name");
    EXPECT_DEATH(directive.parseArgumentsText(lineOf("x")), "");
    EXPECT_DEATH(directive.parseContents(lineOf("}")), "");
    EXPECT_DEATH(directive.parseArgumentsEnd(lineOf(")")), "");
}

} // namespace
} // namespace markdown
