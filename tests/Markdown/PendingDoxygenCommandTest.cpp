#include "Markdown/PendingDoxygenCommand.hpp"
#include "Markdown/ParseContainerStack.hpp"

#include <gtest/gtest.h>

#include <string>

namespace markdown {
namespace {

using Kind = PendingDoxygenCommand::CommandKind;

TrimmedLine lineOf(std::string_view text, std::int64_t number = 1) {
    return TrimmedLine(text, 0, number, std::nullopt);
}

std::optional<std::pair<PendingDoxygenCommand, TrimmedLine>> opening(std::string_view text,
                                                                     bool doxygen = true) {
    ParseContainerStack stack(doxygen);
    return PendingDoxygenCommand::parseOpeningLine(lineOf(text), stack);
}

TEST(PendingDoxygenCommand, RecognisesTheListedCommandsInAnyCase) {
    struct Case {
        std::string line;
        Kind kind;
        std::string description;
    };
    const Case cases[] = {
        {"@param x The x.", {Kind::param, "x"}, "The x."},
        {"@PARAM x", {Kind::param, "x"}, ""},
        {"\\Returns the sum", {Kind::returns, ""}, "the sum"},
        {"@return", {Kind::returns, ""}, ""},
        {"@result  r", {Kind::returns, ""}, "r"},
        {"@brief Short.", {Kind::abstract, ""}, "Short."},
        {"@Abstract", {Kind::abstract, ""}, ""},
        {"@discussion Long.", {Kind::discussion, ""}, "Long."},
        {"   @note\tTake care.", {Kind::note, ""}, "Take care."},
        // A no-break space is white space for the name, but no blank to skip.
        {"@note\xC2\xA0x", {Kind::note, ""}, "\xC2\xA0x"},
    };
    for (const auto& c : cases) {
        auto command = opening(c.line);
        ASSERT_TRUE(command) << c.line;
        EXPECT_EQ(command->first.kind, c.kind) << c.line;
        EXPECT_EQ(command->second.rest(), c.description) << c.line;
    }
}

TEST(PendingDoxygenCommand, OtherWordsAndMissingParametersOpenNothing) {
    for (std::string_view line :
         {"@param", "@param  ", "@param\xE2\x80\x83x", "@paramx y", "@params x", "@unknown",
          "@ note", "@", "note", "x @note", "    @note", "@\xC3\xB1ote"}) {
        EXPECT_FALSE(opening(line)) << line;
    }
    EXPECT_FALSE(opening("@note x", false));
    EXPECT_FALSE(opening("\\returns x", false));
}

TEST(PendingDoxygenCommand, RecordsPlacesAndIndentation) {
    auto command = opening("  @param value The value.");
    ASSERT_TRUE(command);
    const PendingDoxygenCommand& param = command->first;
    EXPECT_EQ(param.atLocation, SourceLocation(1, 3));
    EXPECT_EQ(param.nameLocation, SourceLocation(1, 4));
    EXPECT_EQ(param.atSignIndentation, 2);
    EXPECT_EQ(param.innerIndentation, std::nullopt);
    EXPECT_EQ(param.endLocation, SourceLocation(1, 26));
    EXPECT_EQ(param.kind.debugDescription(), "'param' Argument: 'value'");
    EXPECT_EQ(Kind{Kind::returns}.debugDescription(), "'returns'");

    // A tab before the command counts as one; the stack's content sits at 4 columns here.
    ParseContainerStack stack(true);
    PendingBlockDirective directive =
        *PendingBlockDirective::parseOpeningLine(lineOf("@Name"), stack);
    directive.atIndentationColumnCount = 4;
    stack.push(ParseContainer::BlockDirective{directive, {}});
    auto tabbed = PendingDoxygenCommand::parseOpeningLine(lineOf("\t@note x"), stack);
    ASSERT_TRUE(tabbed);
    EXPECT_EQ(tabbed->first.atSignIndentation, 1);
}

TEST(PendingDoxygenCommand, InnerIndentationComesFromTheFirstNonBlankFollowingLine) {
    PendingDoxygenCommand command = opening("@note     First.")->first;
    command.addLine(lineOf("@note again on the opening line", 1));
    EXPECT_EQ(command.innerIndentation, std::nullopt);
    command.addLine(lineOf("  \t", 2));
    EXPECT_EQ(command.innerIndentation, std::nullopt);
    command.addLine(lineOf("   Second.", 3));
    EXPECT_EQ(command.innerIndentation, 3);
    command.addLine(lineOf("      Third.", 4));
    EXPECT_EQ(command.innerIndentation, 3);
    EXPECT_EQ(command.endLocation, SourceLocation(4, 13));
}

TEST(PendingDoxygenCommand, NotInsideDirectiveContentOrCode) {
    std::string text = "@Name {\n@note x";
    LazySplitLines::Iterator lines = LazySplitLines{text, std::nullopt}.makeIterator();
    ParseContainerStack inDirective(true);
    inDirective.accept(*lines.next());
    EXPECT_TRUE(inDirective.hasDirectiveInContents());
    EXPECT_FALSE(PendingDoxygenCommand::parseOpeningLine(*lines.next(), inDirective));

    ParseContainerStack inFence(true);
    inFence.push(ParseContainer::LineRun{{lineOf("```")}, true});
    EXPECT_FALSE(PendingDoxygenCommand::parseOpeningLine(lineOf("@note x", 2), inFence));
}

} // namespace
} // namespace markdown
