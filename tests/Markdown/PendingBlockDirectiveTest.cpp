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
        {"@Name (a: 1)", State::contentsStart, {"a: 1"}, 13},
        {"@Name(a: 1,", State::argumentsText, {"a: 1,"}, 12},
        {"@Name(x) { }", State::done, {"x"}, 13},
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
    PendingBlockDirective blank = directive;
    EXPECT_FALSE(blank.parseArgumentsText(lineOf("", 3)));

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
        {"   } ignored", true, State::done, std::nullopt},
        {"text", false, State::contents, std::nullopt},
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
}

TEST(PendingBlockDirectiveDeathTest, AStepInAnotherStateStops) {
    PendingBlockDirective directive = *opening("@Name");
    EXPECT_DEATH(directive.parseArgumentsText(lineOf("x")), "");
    EXPECT_DEATH(directive.parseContents(lineOf("}")), "");
}

} // namespace
} // namespace markdown
