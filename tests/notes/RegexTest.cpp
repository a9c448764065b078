#include "notes/MakeRegex.hpp"
#include "notes/RegexMatch.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using Groups = std::vector<std::optional<std::string_view>>;

TEST(RegexMatch, CutsTheTextAtTheMatchedCodePoints) {
    const auto pattern = makeRegex(R"((x)(y)?=(\S+))");
    const std::string text = "\U0001F600 \u00E9 x=\U0001F600\u00E9! x=1";
    const std::optional<RegexMatch> match = firstMatch(*pattern, text);
    ASSERT_TRUE(match);
    EXPECT_EQ(match->begin, 8u);
    EXPECT_EQ(match->end, 17u);
    EXPECT_EQ(match->groups,
              (Groups{"x=\U0001F600\u00E9!", "x", std::nullopt, "\U0001F600\u00E9!"}));
    EXPECT_FALSE(firstMatch(*pattern, "no match"));
}

TEST(RegexMatch, FindsEveryMatchInOrderAcrossIllFormedBytes) {
    const auto pattern = makeRegex(R"(\[\^([^\]\s]+)\])");
    const std::string text = "\xFF[^1] and \xE2\x82[^x].[^a b]";
    std::vector<std::size_t> begins;
    std::vector<std::string_view> labels;
    for (const RegexMatch& match : allMatches(*pattern, text)) {
        begins.push_back(match.begin);
        labels.push_back(*match.groups[1]);
    }
    EXPECT_EQ(begins, (std::vector<std::size_t>{1, 12}));
    EXPECT_EQ(labels, (std::vector<std::string_view>{"1", "x"}));
}

TEST(MakeRegexDeathTest, APatternThatDoesNotBuildStopsNamingItsPlace) {
    EXPECT_DEATH((void)makeRegex("(unclosed"),
                 "regular expression at .*RegexTest\\.cpp:[0-9]+ does not build");
}

} // namespace
} // namespace notes
