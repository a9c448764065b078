#include "Markdown/Aside.hpp"
#include "Markdown/Elements.hpp"

#include "RawBuilders.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace markdown {
namespace {

using namespace markdown::testing;
using Requirement = Aside::TagRequirement;

BlockQuote parsedQuote(std::string_view markdown) {
    return *Document::parsing(markdown).childAt(0)->as<BlockQuote>();
}

Text firstText(const Aside& aside) {
    return *aside.content().at(0).childAt(0)->as<Text>();
}

TEST(Aside, TakesTheTagBeforeTheFirstColonCharacter) {
    struct Case {
        std::string markdown;
        Requirement requirement;
        std::optional<std::string> kind; // none: no aside
        std::string rest;                // the first text after the tag
    };
    const Case cases[] = {
        {"> Warning: the disk is full", Requirement::requireSingleWordTag, "Warning",
         "the disk is full"},
        {"> :x", Requirement::requireSingleWordTag, "", "x"},
        {"> Tip:", Requirement::requireSingleWordTag, "Tip", ""},
        {"> https://example.com", Requirement::requireSingleWordTag, "https", "//example.com"},
        // A colon or a space carrying a combining mark is another character.
        {"> a:\u0301b: c", Requirement::requireSingleWordTag, "a:\u0301b", "c"},
        {"> a \u0301b: c", Requirement::requireSingleWordTag, "a \u0301b", "c"},
        {"> Note : x", Requirement::requireSingleWordTag, std::nullopt, ""},
        {"> Note : x", Requirement::requireAnyLengthTag, "Note ", "x"},
        {"> Two words: x", Requirement::requireSingleWordTag, std::nullopt, ""},
        {"> Two words: x", Requirement::requireAnyLengthTag, "Two words", "x"},
        {"> Two words: x", Requirement::tagNotRequired, "Two words", "x"},
        {"> Note:\u0301 x", Requirement::requireAnyLengthTag, std::nullopt, ""},
        {"> *Note*: x", Requirement::requireAnyLengthTag, std::nullopt, ""},
    };
    for (const auto& [markdown, requirement, kind, rest] : cases) {
        SCOPED_TRACE(markdown);
        auto aside = Aside::withTagRequirement(parsedQuote(markdown), requirement);
        ASSERT_EQ(aside.has_value(), kind.has_value());
        if (!aside)
            continue;
        EXPECT_EQ(aside->kind().rawValue, *kind);
        EXPECT_EQ(firstText(*aside).string(), rest);
    }
}

TEST(Aside, WithoutATagIsANoteOfTheQuoteAsItIs) {
    BlockQuote quote = parsedQuote("> *Note*: x\n>\n> more");
    Aside aside(quote);
    EXPECT_EQ(aside.kind(), Aside::Kind::note);
    ASSERT_EQ(aside.content().size(), 2u);
    EXPECT_TRUE(aside.content()[0].isIdentical(*quote.childAt(0)));
    EXPECT_TRUE(aside.content()[1].isIdentical(*quote.childAt(1)));

    Aside lowerCase(parsedQuote("> note: x"));
    EXPECT_NE(lowerCase.kind(), Aside::Kind::note);
    EXPECT_EQ(lowerCase.kind().displayName(), "note");
}

TEST(Aside, StartsTheTextRangeAfterTheTagAndLeavesTheRestOfTheQuote) {
    BlockQuote quote = parsedQuote("> Warning:  \tthe disk is full\n> next *line*");
    Aside aside(quote);
    EXPECT_EQ(firstText(aside).range(), range(1, 14, 1, 30));
    const Markup& paragraph = aside.content().at(0);
    EXPECT_EQ(paragraph.range(), quote.childAt(0)->range());
    EXPECT_EQ(paragraph.parent()->range(), quote.range());
    EXPECT_EQ(paragraph.childCount(), 4);
    EXPECT_TRUE(paragraph.childAt(3)->hasSameStructure(*quote.childThrough(0, 3)));
    // The quote and its tree are as they were.
    EXPECT_EQ(quote.childThrough(0, 0)->as<Text>()->string(), "Warning:  \tthe disk is full");
    EXPECT_EQ(quote.childThrough(0, 0)->range(), range(1, 3, 1, 30));

    // Columns count bytes; the start never passes the end's column.
    const std::pair<BlockQuote, std::optional<SourceRange>> cases[] = {
        {parsedQuote("> \u00d1B: x"), range(1, 8, 1, 9)},
        {parsedQuote("> Tip:"), range(1, 7, 1, 7)},
        {BlockQuote::fromRaw(rawNode(RawMarkupData::BlockQuote{},
                                     {rawParagraph({rawText("Tip: x", range(1, 3, 1, 5))})})),
         range(1, 5, 1, 5)},
        {BlockQuote(Paragraph(Text("Tip: x"))), std::nullopt},
    };
    for (const auto& [tagged, expected] : cases)
        EXPECT_EQ(firstText(Aside(tagged)).range(), expected);
}

TEST(Aside, KindsCompareCanonicallyAndSpaceOutTheirDisplayNames) {

    EXPECT_EQ(Aside::Kind("Caf\u00e9"), Aside::Kind("Cafe\u0301"));
    EXPECT_NE(Aside::Kind("Tip"), Aside::Kind("tip"));
    const std::pair<std::string, std::string> names[] = {
        {"SeeAlso", "See Also"},
        {"NonMutatingVariant", "Non-Mutating Variant"},
        {"ToDo", "To Do"},
        {"todo", "todo"},
        {"Anything else", "Anything else"}};
    for (const auto& [raw, display] : names)
        EXPECT_EQ(Aside::Kind(raw).displayName(), display);
}

} // namespace
} // namespace markdown
