#include "Markdown/DirectiveArgumentText.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

using Segment = DirectiveArgumentText::LineSegment;

TEST(DirectiveArgumentText, TextBecomesOneSegmentWithoutARange) {
    DirectiveArgumentText arguments("a: 1,\nb: 2");
    ASSERT_EQ(arguments.segments.size(), 1u);
    EXPECT_EQ(arguments.segments[0].untrimmedText, "a: 1,\nb: 2");
    EXPECT_EQ(arguments.segments[0].parseIndex, 0u);
    EXPECT_EQ(arguments.segments[0].range, std::nullopt);

    Segment segment{"@Note(x: 1)", 6, SourceRange({1, 7}, {1, 11})};
    EXPECT_EQ(segment.trimmedText(), "x: 1)");
}

TEST(DirectiveArgumentText, IsEmptyWhenOnlyBlanksAreWritten) {
    struct Case {
        DirectiveArgumentText text;
        bool empty;
    };
    const Case cases[] = {
        {DirectiveArgumentText(), true},
        {DirectiveArgumentText(" \t "), true},
        {DirectiveArgumentText(std::vector<Segment>{{"", 0, {}}, {" x", 0, {}}}), false},
        // The whole line counts, not only the part after the parse position.
        {DirectiveArgumentText(std::vector<Segment>{{"x  ", 1, {}}}), false},
        {DirectiveArgumentText("\n"), false},
        {DirectiveArgumentText(" \xCC\x81"), false}, // a space with a combining accent
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text.isEmpty(), c.empty);
}

TEST(DirectiveArgumentText, SegmentsCompareTextCanonicallyAndPlacesExactly) {
    Segment composed{"caf\xC3\xA9", 0, SourceRange({1, 1}, {1, 6})};
    Segment decomposed{"cafe\xCC\x81", 0, SourceRange({1, 1}, {1, 6})};
    EXPECT_EQ(composed, decomposed);
    Segment moved = composed;
    moved.parseIndex = 1;
    EXPECT_NE(composed, moved);
    Segment unplaced = composed;
    unplaced.range.reset();
    EXPECT_NE(composed, unplaced);
    EXPECT_EQ(DirectiveArgumentText({composed}), DirectiveArgumentText({decomposed}));
    EXPECT_NE(DirectiveArgumentText({composed}), DirectiveArgumentText({composed, composed}));
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
        {"x", {unnamed("x", at(1, 2))}, {}},
        {"x, y: 2", {unnamed("x", at(1, 2), true), named("y", at(4, 5), "2", at(7, 8))}, {}},
        {"a 1", {named("a", at(1, 2), "1", at(3, 4))}, {Missing{':', {1, 2}}}},
        {"a: 1 b: 2",
         {named("a", at(1, 2), "1", at(4, 5)), named("b", at(6, 7), "2", at(9, 10))},
         {Missing{',', {1, 5}}}},
        {"a:", {}, {}},
        {"a: , b: 2", {}, {Unexpected{',', {1, 5}}}},
        {"a: 1,, b: 2", {named("a", at(1, 2), "1", at(4, 5), true)}, {Unexpected{',', {1, 7}}}},
        {"time: 10:30", {named("time", at(1, 5), "10", at(7, 9))}, {}},
        // After a first argument a lone word is a name still waiting for its colon.
        {"x, y", {unnamed("x", at(1, 2), true)}, {Missing{':', {1, 5}}}},
        {R"(a: "x\"y")", {named("a", at(1, 2), R"(x\"y)", at(5, 9))}, {}},
        {R"(a: "x, y")", {named("a", at(1, 2), "x, y", at(5, 9))}, {}},
        {R"(a: "xy)", {named("a", at(1, 2), "xy", at(5, 7))}, {Missing{'"', {1, 7}}}},
        {R"("a b": 1)", {named("a b", at(2, 5), "1", at(8, 9))}, {}},
        {R"(a: x\,y\ z)", {named("a", at(1, 2), R"(x\,y\ z)", at(4, 11))}, {}},
        {"a: 1, a: 2",
         {named("a", at(1, 2), "1", at(4, 5), true), named("a", at(7, 8), "2", at(10, 11))},
         {Duplicate{"a", {1, 1}, {1, 7}}}},
        {"", {}, {}},
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

    // Values without names have no name place to report.
    errors.clear();
    DirectiveArgumentText values({placed("x", 1), placed("y", 2)});
    EXPECT_EQ(values.parseNameValueArguments(errors).size(), 2u);
    EXPECT_EQ(errors, (std::vector<ParseError>{Missing{',', {1, 2}}}));

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

} // namespace
} // namespace markdown
