#include "Markdown/LineRunText.hpp"
#include "Markdown/ParseContainerStack.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

using Widths = std::vector<std::int64_t>;

std::vector<TrimmedLine> linesOf(std::string_view text, std::int64_t firstLine) {
    std::vector<TrimmedLine> lines;
    std::int64_t number = firstLine;
    LazySplitLines::Iterator iterator = LazySplitLines{text, std::nullopt}.makeIterator();
    while (std::optional<TrimmedLine> line = iterator.next())
        lines.emplace_back(line->untrimmedText(), 0, number++, std::nullopt);
    return lines;
}

TEST(LineRunText, StripsTheContentIndentationAndRemembersIt) {
    std::vector<TrimmedLine> lines = linesOf("    para\n    graph\n      deeper\n\n  less", 10);
    LineRunText run = LineRunText::make(lines, 4);
    EXPECT_EQ(run.text, "para\ngraph\n  deeper\n\nless");
    EXPECT_EQ(run.startLine, 10);
    EXPECT_EQ(run.trimmedIndentationPerLine, (Widths{4, 4, 4, 0, 2}));

    LineRunText top = LineRunText::make(lines, 0);
    EXPECT_EQ(top.text, "    para\n    graph\n      deeper\n\n  less");
    EXPECT_EQ(top.trimmedIndentationPerLine, (Widths{0, 0, 0, 0, 0}));
}

TEST(LineRunText, CountsTabsAndConsumedSyntaxAsCharacters) {
    // Up to four characters go, so both tabs do, though they make eight columns.
    std::vector<TrimmedLine> lines = linesOf("\t\tcode\n", 1);
    LineRunText tabs = LineRunText::make(lines, 4);
    EXPECT_EQ(tabs.text, "code\n");
    EXPECT_EQ(tabs.trimmedIndentationPerLine, (Widths{2, 0}));

    // A Doxygen opening line enters with its command already consumed; its width counts
    // characters, one less than the accented name's bytes.
    std::string text = "@param caf\xC3\xA9 The value.";
    ParseContainerStack stack(true);
    stack.accept(TrimmedLine(text, 0, 3, std::nullopt));
    const auto& command = std::get<ParseContainer::DoxygenCommand>(stack.stack().back().value);
    LineRunText description = LineRunText::make(command.lines, 0);
    EXPECT_EQ(description.text, "The value.");
    EXPECT_EQ(description.startLine, 3);
    EXPECT_EQ(description.trimmedIndentationPerLine, (Widths{12}));

    EXPECT_EQ(LineRunText::make({}, 0).text, "");
}

TEST(PendingBlockDirective, ArgumentSegmentsHoldTheirLinesUpToTheToken) {
    std::string text = "intro\r\n  @Caf\xC3\xA9(a: 1,\n    b: 2) {\n}";
    ParseContainerStack stack = ParseContainerStack::parsing({text, std::nullopt}, false);
    const auto& block =
        std::get<ParseContainer::BlockDirective>(stack.root().children()->at(1).value);
    DirectiveArgumentText arguments = block.directive.argumentText(text);
    ASSERT_EQ(arguments.segments.size(), 2u);
    EXPECT_EQ(arguments.segments[0].untrimmedText, "  @Caf\xC3\xA9(a: 1,");
    EXPECT_EQ(arguments.segments[0].trimmedText(), "a: 1,");
    EXPECT_EQ(arguments.segments[0].range, SourceRange({2, 10}, {2, 15}));
    EXPECT_EQ(arguments.segments[1].untrimmedText, "    b: 2");
    EXPECT_EQ(arguments.segments[1].parseIndex, 0u);

    std::vector<DirectiveArgumentText::ParseError> errors;
    std::vector<DirectiveArgument> parsed = arguments.parseNameValueArguments(errors);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].nameRange, SourceRange({2, 10}, {2, 11}));
    EXPECT_EQ(parsed[1].valueRange, SourceRange({3, 8}, {3, 9}));
    EXPECT_TRUE(errors.empty());

    // Tokens without a place find their line start at the line break before them.
    PendingBlockDirective unplaced = block.directive;
    for (auto& token : unplaced.argumentsText)
        token.range.reset();
    DirectiveArgumentText fromBreaks = unplaced.argumentText(text);
    EXPECT_EQ(fromBreaks.segments[0].untrimmedText, "  @Caf\xC3\xA9(a: 1,");
    EXPECT_EQ(fromBreaks.segments[1].untrimmedText, "    b: 2");
}

} // namespace
} // namespace markdown
