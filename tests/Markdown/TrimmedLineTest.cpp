#include "Markdown/TrimmedLine.hpp"

#include <gtest/gtest.h>

#include <string>

namespace markdown {
namespace {

TrimmedLine lineOf(std::string_view text, std::int64_t number = 1) {
    return TrimmedLine(text, 0, number, std::nullopt);
}

SourceRange columns(std::int64_t line, std::int64_t from, std::int64_t to) {
    return SourceRange({line, from}, {line, to});
}

TEST(TrimmedLine, CountsIndentationColumnsWithTabStopsOfFour) {
    struct Case {
        std::string text;
        std::int64_t columns;
    };
    const Case cases[] = {
        {"x", 0},       {"   x", 3},  {"  \tx", 4}, {"\t x", 5},       {"\t\tx", 8},
        {"    \tx", 8}, {"   \t", 4}, {"", 0},      {" \xCC\x81x", 0}, // a space carrying an accent
                                                                       // is not a blank
    };
    for (const auto& c : cases) {
        TrimmedLine line = lineOf(c.text);
        line.lex(100);
        EXPECT_EQ(line.indentationColumnCount(), c.columns) << c.text;
    }
}

TEST(TrimmedLine, CountsCharactersButPlacesTokensInUTF8Bytes) {
    // h, e with an acute accent (two bytes), then a decomposed e with an accent (three bytes).
    std::string text = "h\xC3\xA9"
                       "e\xCC\x81x";
    TrimmedLine line = lineOf(text, 7);
    std::optional<TrimmedLine::Lex> first = line.lex(2);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "h\xC3\xA9");
    EXPECT_EQ(first->range, columns(7, 1, 4));
    EXPECT_EQ(line.location(), SourceLocation(7, 4));
    std::optional<TrimmedLine::Lex> second = line.lex(1);
    EXPECT_EQ(second->text, "e\xCC\x81");
    EXPECT_EQ(line.location(), SourceLocation(7, 7));

    // A flag is one character of eight bytes; CR LF would be one too.
    TrimmedLine flag = lineOf("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA!");
    EXPECT_EQ(flag.lex(1)->range, columns(1, 1, 9));
}

TEST(TrimmedLine, LexTakesWhatIsLeftAndEmptyOnlyWhenAllowed) {
    TrimmedLine line = lineOf("abcde");
    line.lex(3);
    EXPECT_EQ(line.lex(3)->text, "de");
    EXPECT_EQ(line.lex(3), std::nullopt);
    std::optional<TrimmedLine::Lex> empty = line.lex(3, true);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, "");
    EXPECT_EQ(empty->range, columns(1, 6, 6));

    TrimmedLine fresh = lineOf("abc");
    EXPECT_EQ(fresh.lex(0), std::nullopt);
    EXPECT_EQ(fresh.lex(-1), std::nullopt);
    EXPECT_EQ(fresh.lex(0, true)->text, "");
    EXPECT_EQ(fresh.parseIndex(), 0u);
}

TEST(TrimmedLineDeathTest, NegativeCountWithEmptyAllowedStops) {
    TrimmedLine line = lineOf("abc");
    EXPECT_DEATH(line.lex(-1, true), "");
}

TEST(TrimmedLine, LexesWhitespaceUntilAndSingleCharacters) {
    TrimmedLine line = lineOf("    \tabc)de");
    EXPECT_EQ(line.lexWhitespace(2)->range, columns(1, 1, 3));
    EXPECT_EQ(line.lexWhitespace()->text, "  \t");
    EXPECT_EQ(line.lexWhitespace(), std::nullopt);
    EXPECT_EQ(line.lexCharacter(')'), std::nullopt);
    std::optional<TrimmedLine::Lex> letters = line.lexUntil(')');
    EXPECT_EQ(letters->text, "abc");
    EXPECT_EQ(letters->range, columns(1, 6, 9));
    EXPECT_EQ(line.lexUntil(')'), std::nullopt);
    EXPECT_EQ(line.lexCharacter(')')->range, columns(1, 9, 10));
    EXPECT_EQ(line.lexUntil(')')->text, "de");
    EXPECT_EQ(line.lexUntil(')'), std::nullopt);
    EXPECT_EQ(line.lexCharacter(')'), std::nullopt);

    // A parenthesis carrying a mark is another character.
    TrimmedLine marked = lineOf("a)\xCC\x81"
                                "b)");
    EXPECT_EQ(marked.lexUntil(')')->text, "a)\xCC\x81"
                                          "b");
    TrimmedLine markedSpace = lineOf(" \xCC\x81");
    EXPECT_EQ(markedSpace.lexWhitespace(), std::nullopt);
    EXPECT_EQ(markedSpace.lexCharacter(' '), std::nullopt);
}

TEST(TrimmedLine, LineWithoutNumberLexesWithoutPlaces) {
    TrimmedLine line("ab c", 0, std::nullopt, std::nullopt);
    EXPECT_EQ(line.location(), std::nullopt);
    std::optional<TrimmedLine::Lex> token = line.lexUntil(' ');
    ASSERT_TRUE(token);
    EXPECT_EQ(token->text, "ab");
    EXPECT_EQ(token->range, std::nullopt);
    EXPECT_EQ(line.rest(), " c");
}

TEST(TrimmedLine, LocationsCarryTheSourceAndStartMidLine) {
    const URL file = URL::fileURL(std::string("/notes/a.md"));
    TrimmedLine line("@Note(x)", 5, 3, file);
    EXPECT_EQ(line.location(), SourceLocation(3, 6, file));
    EXPECT_EQ(line.lex(1)->range, SourceRange({3, 6, file}, {3, 7, file}));
}

TEST(TrimmedLine, WhitespaceAndFenceTestsReadTheRest) {
    struct Case {
        std::string text;
        bool blank;
        bool fence;
    };
    const Case cases[] = {
        {"", true, false},
        {" \t ", true, false},
        {" x ", false, false},
        {"```", false, true},
        {"```swift", false, true},
        {"    ~~~", false, true}, // how deep a fence may stand is for the caller
        {"\t~~~~", false, true},
        {"``", false, false},
        {"~~", false, false},
        {"``\xC2\xB4`", false, false},
        {"``"
         "`\xCC\x81",
         false, false},             // the third backtick carries an accent
        {"\xC2\xA0", false, false}, // a no-break space is not a blank here
    };
    for (const auto& c : cases) {
        TrimmedLine line = lineOf(c.text);
        EXPECT_EQ(line.isEmptyOrAllWhitespace(), c.blank) << c.text;
        EXPECT_EQ(line.isCodeFence(), c.fence) << c.text;
    }
    TrimmedLine consumed = lineOf("abc   ");
    consumed.lex(3);
    EXPECT_TRUE(consumed.isEmptyOrAllWhitespace());
    EXPECT_EQ(consumed.parseIndex(), 3u);
}

TEST(TrimmedLine, OwningLineKeepsItsTextInEveryCopy) {
    std::optional<TrimmedLine> copy;
    {
        TrimmedLine line = TrimmedLine::owning(std::string(3, ' ') + "hello", 4, std::nullopt);
        copy = line;
    }
    EXPECT_EQ(copy->untrimmedText(), "   hello");
    EXPECT_EQ(copy->indentationColumnCount(), 3);
    copy->lexWhitespace();
    EXPECT_EQ(copy->lex(5)->range, columns(4, 4, 9));
}

TEST(TrimmedLine, TokensCompareTextCanonicallyAndRangesExactly) {
    TrimmedLine::Lex composed{"\xC3\xA9", columns(1, 1, 3)};
    TrimmedLine::Lex decomposed{"e\xCC\x81", columns(1, 1, 3)};
    EXPECT_EQ(composed, decomposed);
    EXPECT_NE(composed, (TrimmedLine::Lex{"\xC3\xA9", std::nullopt}));
    EXPECT_NE(composed, (TrimmedLine::Lex{"e", columns(1, 1, 3)}));
}

} // namespace
} // namespace markdown
