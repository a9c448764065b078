#include "Markdown/CharacterBreaks.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

TEST(CharacterBreaks, SplitsIntoUserPerceivedCharacters) {
    using Characters = std::vector<std::string>;
    struct Case {
        std::string text;
        Characters characters;
    };
    const Case cases[] = {
        {"a\r\nb\n\r", {"a", "\r\n", "b", "\n", "\r"}},
        {"e\xCC\x81x\xC3\xA9", {"e\xCC\x81", "x", "\xC3\xA9"}}, // decomposed, precomposed
        {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"
         "a",
         {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", "a"}}, // a flag
        {"\xD8\x80"
         "1",
         {"\xD8\x80"
          "1"}}, // a prepended mark joins what follows
        {"\xFF\xFE"
         "a",
         {"\xFF", "\xFE", "a"}}, // ill-formed bytes still move on
        {"\xE2\x80", {"\xE2\x80"}},
    };
    for (const auto& c : cases) {
        Characters characters;
        for (std::size_t i = 0, end = 0; i < c.text.size(); i = end) {
            end = characterEnd(c.text, i);
            characters.push_back(c.text.substr(i, end - i));
        }
        EXPECT_EQ(characters, c.characters) << c.text;
        EXPECT_EQ(characterCount(c.text), c.characters.size()) << c.text;
    }
}

TEST(CharacterBreaks, MatchesWholeASCIICharactersOnly) {
    EXPECT_TRUE(isCharacterAt("a}", 1, '}'));
    EXPECT_FALSE(isCharacterAt("a}\xCC\x81", 1, '}'));
    EXPECT_FALSE(isCharacterAt("a", 1, 'a'));
    EXPECT_TRUE(hasCharacterPrefix("```x", "```"));
    EXPECT_FALSE(hasCharacterPrefix("``", "```"));
    EXPECT_FALSE(hasCharacterPrefix("```\xCC\x81", "```"));
}

} // namespace
} // namespace markdown
