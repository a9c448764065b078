#include "Markdown/directives/LineRunText.hpp"
#include "Markdown/directives/ParseContainerStack.hpp"
#include "Markdown/tree/LazySplitLines.hpp"

#include <gtest/gtest.h>

#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/UnicodeText.hpp"
#include "tests/Markdown/RawBuilders.hpp"
#include <tuple>

namespace markdown {
namespace {
using namespace markdown::testing;
using Widths = std::vector<std::int64_t>;

TEST(LineRunText, StripsTheContentIndentationByColumnsAndCountsWidthsInCharacters) {
    const std::string indented = "    para\n    graph\n      deeper\n\n  less";
    // Up to four columns go: one of two tabs, or two spaces and the tab that ends at column 4.
    // A tab left, or the part of one beyond the columns that go, becomes the spaces of the
    // columns it covers as written; what went then counts those spaces back.
    const std::string tabbed = "\t\tcode\n  \tx\n   \t y\n\t";
    // The lines, the content's columns, the text and what went of each line.
    const std::tuple<std::string, std::int64_t, std::string, Widths> cases[] = {
        {indented, 4, "para\ngraph\n  deeper\n\nless", {4, 4, 4, 0, 2}},
        {indented, 0, indented, {0, 0, 0, 0, 0}},
        {tabbed, 4, "    code\nx\n y\n", {-2, 3, 4, 1}},
        {tabbed, 2, "      code\n  x\n   y\n  ", {-4, 1, 2, -1}},
        // Without an indentation the line is the parser's own, tabs and all.
        {tabbed, 0, tabbed, {0, 0, 0, 0}},
    };
    for (const auto& [text, content, expected, widths] : cases) {
        std::vector<TrimmedLine> lines;
        for (auto split = LazySplitLines{text, std::nullopt}.makeIterator();
             auto line = split.next();)
            lines.push_back(*line);
        LineRunText run = LineRunText::make(lines, content);
        EXPECT_EQ(run.text, expected);
        EXPECT_EQ(run.trimmedIndentationPerLine, widths) << expected;
    }

    // A Doxygen opening line enters with its command already consumed; its width counts
    // characters, one less than the accented name's bytes.
    ParseContainerStack stack(ParseOptions::parseMinimalDoxygen);
    stack.accept(lineOf("@param caf\xC3\xA9 The value.", 3));
    const auto& command = std::get<ParseContainer::DoxygenCommand>(stack.stack().back().value);
    LineRunText description = LineRunText::make(command.lines, 0);
    EXPECT_EQ(
        std::tuple(description.text, description.startLine, description.trimmedIndentationPerLine),
        std::tuple("The value.", 3, Widths{12}));
}

TEST(LazySplitLines, BreaksAtEveryNewlineCharacterWithCRLFAsOneAndCountsEmptyLines) {
    using Lines = std::vector<std::string>;
    using Counts = std::vector<std::int64_t>;
    const std::string spaced = "one\r\n\n\n  two\n  \n";
    const std::tuple<std::string, Lines, Counts> cases[] = {
        {"", {""}, {1}},
        {"a\nb\n", {"a", "b", ""}, {0, 0, 1}},
        {"a\r\nb", {"a", "b"}, {0, 0}},
        {"a\xE2\x80\xA8z\xE2\x80\xA9", {"a", "z", ""}, {0, 0, 1}}, // line and paragraph separators
        {"a\xE2\x80\xA7z\xC2\xA0", {"a\xE2\x80\xA7z\xC2\xA0"}, {0}}, // look-alikes break nothing
        {spaced,
         {"one", "", "", "  two", "  ", ""},
         {0, 1, 2, 0, 0, 1}}, // spaces are no empty line
    };
    for (const auto& [text, expected, expectedCounts] : cases) {
        LazySplitLines::Iterator lines = LazySplitLines{text, noteFile}.makeIterator();
        Lines texts;
        Counts counts;
        while (std::optional<TrimmedLine> line = lines.next()) {
            // Lines are views of the input, placed in its source.
            const std::size_t offset = line->untrimmedText().data() - text.data();
            EXPECT_LE(offset + line->untrimmedText().size(), text.size());
            EXPECT_EQ(line->location(), SourceLocation(std::ssize(texts) + 1, 1, noteFile));
            texts.emplace_back(line->untrimmedText());
            counts.push_back(lines.precedingConsecutiveEmptyLineCount);
        }
        EXPECT_EQ(texts, expected) << text;
        EXPECT_EQ(counts, expectedCounts) << text;
        EXPECT_FALSE(lines.next());
    }
}

TEST(TrimmedLineDeathTest, MeasuresLexesAndPlacesTokensInUTF8BytesButTakesNoNegativeCount) {
    // Text, indentation columns, blank.
    const std::tuple<std::string, std::int64_t, bool> cases[] = {
        {"  \tx", 4, false},                            // a tab moves to the next multiple of 4
        {"", 0, true},        {" \xCC\x81x", 0, false}, // a space carrying an accent is no blank
        {"```cpp", 0, false}, {"    ~~~", 4, false},
    };
    for (const auto& [text, columns, blank] : cases) {
        TrimmedLine line = lineOf(text);
        EXPECT_EQ(line.indentationColumnCount(), columns) << text;
        EXPECT_EQ(line.isEmptyOrAllWhitespace(), blank) << text;
        line.lex(100);
        EXPECT_EQ(line.indentationColumnCount(), columns) << text;
        EXPECT_TRUE(line.isEmptyOrAllWhitespace());
    }

    // h, e with an acute accent (two bytes), an e with a combining accent (three bytes), a flag.
    std::string text = "h\u00e9e\u0301\U0001F1E9\U0001F1EA";
    TrimmedLine line = lineOf(text, 7);
    EXPECT_EQ(line.lex(2), (TrimmedLine::Lex{"h\xC3\xA9", at(1, 4, 7)}));
    EXPECT_EQ(line.location(), SourceLocation(7, 4));
    EXPECT_EQ(line.lex(1)->range, at(4, 7, 7));
    EXPECT_EQ(line.lex(1)->range, at(7, 15, 7));

    // Places follow the line number and source, also from mid-line and for an owning copy.
    EXPECT_EQ(TrimmedLine("@Note(x)", 5, 3, noteFile).lex(1)->range,
              SourceRange({3, 6, noteFile}, {3, 7, noteFile}));
    std::optional<TrimmedLine> copy;
    { copy = TrimmedLine::owning("   hello", 4, std::nullopt); }
    copy->lexWhitespace();
    EXPECT_EQ(copy->lex(5), (TrimmedLine::Lex{"hello", at(4, 9, 4)}));

    // Blanks, stops and single characters; fewer characters than asked are what is left.
    TrimmedLine stops = lineOf("    \tabc)de");
    EXPECT_EQ(stops.lexWhitespace(2)->range, at(1, 3));
    EXPECT_EQ(stops.lexWhitespace()->text, "  \t");
    EXPECT_EQ(stops.lexWhitespace(), std::nullopt);
    EXPECT_EQ(stops.lexCharacter(')'), std::nullopt);
    EXPECT_EQ(stops.lexUntil(')'), (TrimmedLine::Lex{"abc", at(6, 9)}));
    EXPECT_EQ(stops.lexUntil(')'), std::nullopt);
    EXPECT_EQ(stops.lexCharacter(')')->range, at(9, 10));
    EXPECT_EQ(stops.lex(3)->text, "de");
    EXPECT_EQ(stops.lex(3), std::nullopt);
    EXPECT_EQ(stops.lexUntil(')'), std::nullopt);
    EXPECT_EQ(stops.lex(3, true), (TrimmedLine::Lex{"", at(12, 12)}));

    // A parenthesis or a space carrying a mark is another character.
    TrimmedLine marked = lineOf("a)\xCC\x81 \xCC\x81)");
    EXPECT_EQ(marked.lexUntil(')')->text, "a)\xCC\x81 \xCC\x81");
    EXPECT_EQ(lineOf(" \xCC\x81").lexWhitespace(), std::nullopt);

    EXPECT_DEATH(lineOf("abc").lex(-1, true), "");
}

TEST(UnicodeText, SplitsIntoUserPerceivedCharactersAndComparesByCanonicalEquivalence) {
    using Characters = std::vector<std::string>;
    const std::pair<std::string, Characters> cases[] = {
        {"a\r\nb\n\r", {"a", "\r\n", "b", "\n", "\r"}},
        {"e\xCC\x81x\xC3\xA9", {"e\xCC\x81", "x", "\xC3\xA9"}},   // decomposed, precomposed
        {"\U0001F1E9\U0001F1EAa", {"\U0001F1E9\U0001F1EA", "a"}}, // a flag
        {"\xFF\xFE!", {"\xFF", "\xFE", "!"}},                     // ill-formed bytes still move on
        // Words beyond ASCII break between their letters, unless a rule joins the next one on.
        {"\xD0\xB4\xD0\xB0 \xE4\xB8\xAD\xE6\x96\x87",
         {"\xD0\xB4", "\xD0\xB0", " ", "\xE4\xB8\xAD", "\xE6\x96\x87"}},
        {"\xD0\xB4\xCC\x81\xD0\xB0", {"\xD0\xB4\xCC\x81", "\xD0\xB0"}}, // a mark
        {"\xE0\xA4\x95\xE0\xA4\xBF", {"\xE0\xA4\x95\xE0\xA4\xBF"}},     // a spacing mark
        {"\U0001F469\u200D\U0001F4BB", {"\U0001F469\u200D\U0001F4BB"}}, // joined pictographs
        {"\U0001F44D\U0001F3FD", {"\U0001F44D\U0001F3FD"}},             // a skin tone
        {"\u1100\u1161\u11A8", {"\u1100\u1161\u11A8"}},                 // Hangul jamo
        {"\u0600\u0661", {"\u0600\u0661"}},                             // a prepended sign
        // Runs that only the rules split: Bengali and Khmer signs, a zero-width space, ill-formed
        // bytes and ASCII inside them.
        {"\u0995\u09BF\u0995\u09BF \u0995\u09BFa\u0995",
         {"\u0995\u09BF", "\u0995\u09BF", " ", "\u0995\u09BF", "a", "\u0995"}},
        {"\u1780\u17B6\u200B\u1781\u17B7\xFF\u1780\u17B6",
         {"\u1780\u17B6", "\u200B", "\u1781\u17B7", "\xFF", "\u1780\u17B6"}},
        {"\u0600\u0600a\u0301\u0600", {"\u0600\u0600a\u0301", "\u0600"}},
        {"ab\xCC\x81"
         "cd\xD0\xB4\xFF",
         {"a", "b\xCC\x81", "c", "d", "\xD0\xB4", "\xFF"}},
        {"0123456789abcdef\r\n0123456789\xCC\x81xyzuvw",
         {"0", "1", "2", "3", "4",         "5",    "6", "7", "8", "9", "a",
          "b", "c", "d", "e", "f",         "\r\n", "0", "1", "2", "3", "4",
          "5", "6", "7", "8", "9\xCC\x81", "x",    "y", "z", "u", "v", "w"}},
    };
    for (const auto& [text, expected] : cases) {
        Characters characters;
        for (std::size_t i = 0, end = 0; i < text.size(); i = end) {
            end = characterEnd(text, i);
            characters.push_back(text.substr(i, end - i));
        }
        EXPECT_EQ(characters, expected) << text;
        EXPECT_EQ(characterCount(text), expected.size()) << text;
    }

    EXPECT_TRUE(canonicallyEqual("caf\xC3\xA9", "cafe\xCC\x81")); // precomposed vs combining
    EXPECT_TRUE(canonicallyEqual("", ""));
    EXPECT_FALSE(canonicallyEqual("Caf\xC3\xA9", "caf\xC3\xA9"));
    // Ill-formed text falls back to bytes.
    EXPECT_TRUE(canonicallyEqual("\xFF", "\xFF"));
    EXPECT_FALSE(canonicallyEqual("\xFF", "\xFE"));
    EXPECT_EQ(toNFC("e\xCC\x81"), "\xC3\xA9");
    const std::string illFormed = std::string("\xFF") + "e\xCC\x81"; // stays as it is
    EXPECT_EQ(toNFC(illFormed), illFormed);
}

} // namespace
} // namespace markdown
