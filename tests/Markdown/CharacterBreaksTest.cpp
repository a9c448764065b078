#include "Markdown/CharacterBreaks.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

std::vector<std::string> charactersOf(std::string_view text) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = characterEnd(text, i);
        EXPECT_GT(end, i);
        characters.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return characters;
}

TEST(CharacterBreaks, SplitsIntoUserPerceivedCharacters) {
    using Characters = std::vector<std::string>;
    struct Case {
        std::string text;
        Characters characters;
    };
    const Case cases[] = {
        {"ab", {"a", "b"}},
        {"a\r\nb\n\r", {"a", "\r\n", "b", "\n", "\r"}},
        {"e\xCC\x81x", {"e\xCC\x81", "x"}}, // combining accent
        {"\xC3\xA9x", {"\xC3\xA9", "x"}},   // precomposed
        {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"
         "a",
         {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", "a"}},      // flag
        {"\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB ", // woman technologist
         {"\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB", " "}},
        {"\xE1\x84\x80\xE1\x85\xA1"
         "b",
         {"\xE1\x84\x80\xE1\x85\xA1", "b"}}, // Hangul jamo
        {"\xD8\x80"
         "1",
         {"\xD8\x80"
          "1"}}, // a prepended mark
        {"\xFF\xFE"
         "a",
         {"\xFF", "\xFE", "a"}},    // ill-formed bytes
        {"\xE2\x80", {"\xE2\x80"}}, // a cut-off sequence stays together
    };
    for (const auto& c : cases)
        EXPECT_EQ(charactersOf(c.text), c.characters) << c.text;
    EXPECT_EQ(characterEnd("ab", 2), 2u);
    EXPECT_EQ(characterCount("e\xCC\x81\r\n"), 2u);
}

TEST(CharacterBreaks, MatchesWholeASCIICharactersOnly) {
    EXPECT_TRUE(isCharacterAt("a}", 1, '}'));
    EXPECT_FALSE(isCharacterAt("a}\xCC\x81", 1, '}'));
    EXPECT_FALSE(isCharacterAt("a", 1, 'a'));
    EXPECT_TRUE(hasCharacterPrefix("```x", "```"));
    EXPECT_FALSE(hasCharacterPrefix("``", "```"));
    EXPECT_FALSE(hasCharacterPrefix("```\xCC\x81", "```"));
}

TEST(CharacterBreaks, MeasuresLineBreaks) {
    struct Case {
        std::string text;
        std::size_t length;
    };
    const Case cases[] = {
        {"\n", 1},
        {"\r\n", 2},
        {"\r", 1},
        {"\v", 1},
        {"\f", 1},
        {"\xC2\x85", 2},
        {"\xE2\x80\xA8", 3},
        {"\xE2\x80\xA9", 3},
        {"\xE2\x80\xA7", 0},
        {"\xC2\xA0", 0},
        {"\xC2", 0},
        {"a", 0},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(newlineLength(c.text, 0), c.length) << c.text;
}

} // namespace
} // namespace markdown
