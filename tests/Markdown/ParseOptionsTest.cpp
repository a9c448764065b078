#include "Markdown/ParseOptions.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

TEST(ParseOptions, MembersHaveBothNames) {
    EXPECT_EQ(ParseOptions::disableSmartPunctuation, ParseOptions::disableSmartOpts);
    EXPECT_EQ(ParseOptions::disableSourcePositions, ParseOptions::disableSourcePosOpts);
    EXPECT_TRUE(ParseOptions().isEmpty());
    EXPECT_EQ(ParseOptions(~std::uint64_t{0}).rawValue, ~std::uint64_t{0});
}

TEST(ParseOptions, BehavesAsASetOfBits) {
    const ParseOptions links = ParseOptions::parseSymbolLinks;
    const ParseOptions smart = ParseOptions::disableSmartOpts;
    const ParseOptions both{links, smart};
    EXPECT_EQ(both.rawValue, 6u);
    EXPECT_EQ(both, links | smart);
    EXPECT_EQ((both & links), links);
    EXPECT_EQ((both ^ links), smart);
    EXPECT_TRUE(both.contains(links));
    EXPECT_TRUE(links.isSubset(both));
    EXPECT_TRUE(links.isDisjoint(smart));
    EXPECT_FALSE(both.isDisjoint(smart));

    ParseOptions options;
    options.insert(links);
    options |= ParseOptions::parseBlockDirectives;
    options.remove(links);
    options ^= ParseOptions::parseBlockDirectives;
    EXPECT_TRUE(options.isEmpty());
    options = both;
    options &= smart;
    EXPECT_EQ(options, smart);
}

} // namespace
} // namespace markdown
