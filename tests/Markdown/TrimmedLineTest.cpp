#include "Markdown/TrimmedLine.hpp"

#include <gtest/gtest.h>

#include <string>

namespace markdown {
namespace {

TrimmedLine lineOf(std::string_view text, std::int64_t number = 1) {
    return TrimmedLine(text, 0, number, std::nullopt);
}

SourceRange columns(std::int64_t from, std::int64_t to, std::int64_t line = 1) {
    return SourceRange({line, from}, {line, to});
}

TEST(TrimmedLine, MeasuresTheLineWhateverItsParsePosition) {
    struct Case {
        std::string text;
        std::int64_t columns;
        bool blank;
        bool fence;
    };
    const Case cases[] = {
        {"x", 0, false, false},
        {"  \tx", 4, false, false}, // a tab moves to the next multiple of 4
        {"\t x", 5, false, false},
        {"", 0, true, false},
        {" \xCC\x81x", 0, false, false}, // a space carrying an accent is no blank
        {"```cpp", 0, false, true},
        {"    ~~~", 4, false, true}, // how deep a fence may stand is for the caller
        {"``", 0, false, false},
        {"``"
         "`\xCC\x81",
         0, false, false},
    };
    for (const auto& c : cases) {
        TrimmedLine line = lineOf(c.text);
        EXPECT_EQ(line.indentationColumnCount(), c.columns) << c.text;
        EXPECT_EQ(line.isEmptyOrAllWhitespace(), c.blank) << c.text;
        EXPECT_EQ(line.isCodeFence(), c.fence) << c.text;
        line.lex(100);
        EXPECT_EQ(line.indentationColumnCount(), c.columns) << c.text;
        EXPECT_TRUE(line.isEmptyOrAllWhitespace());
    }
}

TEST(TrimmedLine, CountsCharactersButPlacesTokensInUTF8Bytes) {
    // h, e with an acute accent (two bytes), an e with a combining accent (three bytes), a flag.
    std::string text = "h\xC3\xA9"
                       "e\xCC\x81\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA";
    TrimmedLine line = lineOf(text, 7);
    EXPECT_EQ(line.lex(2), (TrimmedLine::Lex{"h\xC3\xA9", columns(1, 4, 7)}));
    EXPECT_EQ(line.location(), SourceLocation(7, 4));
    EXPECT_EQ(line.lex(1)->range, columns(4, 7, 7));
    EXPECT_EQ(line.lex(1)->range, columns(7, 15, 7));
}

TEST(TrimmedLine, LexesCountsBlanksStopsAndSingleCharacters) {
    TrimmedLine line = lineOf("    \tabc)de");
    EXPECT_EQ(line.lexWhitespace(2)->range, columns(1, 3));
    EXPECT_EQ(line.lexWhitespace()->text, "  \t");
    EXPECT_EQ(line.lexWhitespace(), std::nullopt);
    EXPECT_EQ(line.lexCharacter(')'), std::nullopt);
    EXPECT_EQ(line.lexUntil(')'), (TrimmedLine::Lex{"abc", columns(6, 9)}));
    EXPECT_EQ(line.lexUntil(')'), std::nullopt);
    EXPECT_EQ(line.lexCharacter(')')->range, columns(9, 10));
    EXPECT_EQ(line.lex(3)->text, "de"); // fewer are left
    EXPECT_EQ(line.lex(3), std::nullopt);
    EXPECT_EQ(line.lexUntil(')'), std::nullopt);
    EXPECT_EQ(line.lex(3, true), (TrimmedLine::Lex{"", columns(12, 12)}));
    EXPECT_EQ(line.lex(0), std::nullopt);
    EXPECT_EQ(line.lex(-1), std::nullopt);

    // A parenthesis or a space carrying a mark is another character.
    TrimmedLine marked = lineOf("a)\xCC\x81 \xCC\x81)");
    EXPECT_EQ(marked.lexUntil(')')->text, "a)\xCC\x81 \xCC\x81");
    EXPECT_EQ(lineOf(" \xCC\x81").lexWhitespace(), std::nullopt);
}

TEST(TrimmedLineDeathTest, NegativeCountWithEmptyAllowedStops) {
    TrimmedLine line = lineOf("abc");
    EXPECT_DEATH(line.lex(-1, true), "");
}

TEST(TrimmedLine, PlacesFollowTheLineNumberAndSource) {
    TrimmedLine unnumbered("ab c", 0, std::nullopt, std::nullopt);
    EXPECT_EQ(unnumbered.location(), std::nullopt);
    EXPECT_EQ(unnumbered.lexUntil(' '), (TrimmedLine::Lex{"ab", std::nullopt}));
    EXPECT_EQ(unnumbered.rest(), " c");

    const URL file = URL::fileURL(std::string("/notes/a.md"));
    TrimmedLine midLine("@Note(x)", 5, 3, file);
    EXPECT_EQ(midLine.lex(1)->range, SourceRange({3, 6, file}, {3, 7, file}));

    std::optional<TrimmedLine> copy;
    { copy = TrimmedLine::owning("   hello", 4, std::nullopt); }
    copy->lexWhitespace();
    EXPECT_EQ(copy->lex(5), (TrimmedLine::Lex{"hello", columns(4, 9, 4)}));
}

TEST(TrimmedLine, TokensCompareTextCanonicallyAndRangesExactly) {
    TrimmedLine::Lex composed{"\xC3\xA9", columns(1, 3)};
    EXPECT_EQ(composed, (TrimmedLine::Lex{"e\xCC\x81", columns(1, 3)}));
    EXPECT_NE(composed, (TrimmedLine::Lex{"\xC3\xA9", std::nullopt}));
    EXPECT_NE(composed, (TrimmedLine::Lex{"e", columns(1, 3)}));
}

} // namespace
} // namespace markdown
