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
        {"@result  r", {Kind::returns}, "r"},
        {"@brief Short.", {Kind::abstract}, "Short."},
        {"@discussion Long.", {Kind::discussion}, "Long."},
        {"   @note\tTake care.", {Kind::note}, "Take care."},
        // A no-break space ends the name, but is no blank to skip.
        {"@note\xC2\xA0x", {Kind::note}, "\xC2\xA0x"},
    };
    for (const auto& c : cases) {
        auto command = opening(c.line);
        ASSERT_TRUE(command) << c.line;
        EXPECT_EQ(command->first.kind, c.kind) << c.line;
        EXPECT_EQ(command->second.rest(), c.description) << c.line;
    }
    for (std::string_view line : {"@param", "@param  ", "@param\xE2\x80\x83x", "@paramx y",
                                  "@unknown", "@ note", "note", "x @note", "    @note"})
        EXPECT_FALSE(opening(line)) << line;
    EXPECT_FALSE(opening("@note x", false));
}

TEST(PendingDoxygenCommand, RecordsPlacesAndIndentation) {
    PendingDoxygenCommand param = opening("  @param value The value.")->first;
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

TEST(PendingDoxygenCommand, NotInsideDirectiveContentOrAFence) {
    ParseContainerStack inDirective(ParseOptions::parseMinimalDoxygen);
    inDirective.accept(lineOf("@Name {"));
    EXPECT_FALSE(PendingDoxygenCommand::parseOpeningLine(lineOf("@note x", 2), inDirective));

    ParseContainerStack inFence(ParseOptions::parseMinimalDoxygen);
    inFence.accept(lineOf("```"));
    EXPECT_FALSE(PendingDoxygenCommand::parseOpeningLine(lineOf("@note x", 2), inFence));
}

} // namespace
} // namespace markdown
