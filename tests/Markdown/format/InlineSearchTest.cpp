#include "Markdown/format/InlineSearch.hpp"

#include <gtest/gtest.h>

#include <optional>

#include <string>
#include <vector>

namespace markdown {
namespace {

// Tries are paid for until one costs more than is left; after that none is, however cheap.
TEST(InlineSearch, PaysForTriesUntilOneCostsMoreThanIsLeft) {
    struct Case {
        std::size_t budget;
        std::vector<std::size_t> tries;
        std::size_t paid;
        bool spent;
    };
    const Case cases[] = {
        {10, {4, 5}, 2, false},   {10, {4, 6}, 2, true}, // to the last byte
        {10, {4, 7, 1}, 1, true}, {10, {11, 1}, 0, true}, {0, {1}, 0, true},
    };
    for (const Case& c : cases) {
        InlineSearch search(c.budget);
        std::size_t paid = 0;
        for (const std::size_t bytes : c.tries)
            paid += search.spend(bytes) ? 1 : 0;
        EXPECT_EQ(paid, c.paid) << c.budget << " and " << c.tries.size() << " tries";
        EXPECT_EQ(search.spent(), c.spent) << c.budget << " and " << c.tries.size() << " tries";
    }
}

// A text printed again by other choices is known by its bytes, also once the budget is spent.
TEST(InlineSearch, KnowsTheReadingOfEachTextReadBefore) {
    InlineSearch search(1);
    search.keep("*a*", {false, 3});
    search.keep("_a_", {true, 5});
    EXPECT_FALSE(search.spend(2));
    struct Case {
        std::string text;
        bool known;
        bool same;
        std::size_t agreeing;
    };
    const Case cases[] = {
        {"*a*", true, false, 3},
        {"_a_", true, true, 5},
        {"*a* ", false, false, 0},
        {"", false, false, 0},
    };
    for (const Case& c : cases) {
        const InlineReading* reading = search.readingOf(c.text);
        ASSERT_EQ(reading != nullptr, c.known) << c.text;
        if (reading) {
            EXPECT_EQ(reading->same, c.same) << c.text;
            EXPECT_EQ(reading->agreeing, c.agreeing) << c.text;
        }
    }
}

// Choices that differ from a kept try's only in joins that would change nothing in its text, or
// in naming the character a span printed, print that text; a join that would change it, or
// another character, does not.
TEST(InlineSearch, KnowsTheReadingOfChoicesThatPrintAsAnEarlierTry) {
    using Kind = InlineVariant::Change::Kind;
    InlineSearch search(0);
    search.keep(InlineVariant{{{Kind::asterisk, 0}, {Kind::underscore, 1}}},
                {{Kind::joinLiterals, 1}, {Kind::joinFollowing, 0}}, {{'*', '_'}, {'_', '*'}},
                {false, 4});
    search.keep(InlineVariant{{{Kind::underscore, 0}, {Kind::joinLiteral, 0}}},
                {{Kind::joinLiteral, 0}}, {{'_', '*'}, {'*', '*'}}, {false, 7});
    struct Case {
        InlineVariant choices;
        std::optional<std::size_t> agreeing; // none: not known
    };
    const Case cases[] = {
        {{{{Kind::asterisk, 0}, {Kind::underscore, 1}}}, 4},
        {{{{Kind::joinLiterals, 0}, {Kind::asterisk, 0}, {Kind::underscore, 1}}}, 4},
        {{{{Kind::asterisk, 0}, {Kind::joinFollowing, 1}, {Kind::underscore, 1}}}, 4},
        {{{{Kind::asterisk, 0}, {Kind::underscore, 1}, {Kind::joinLiterals, 1}}}, std::nullopt},
        {{{{Kind::asterisk, 0}, {Kind::underscore, 1}, {Kind::joinFollowing, 0}}}, std::nullopt},
        {{{{Kind::underscore, 1}, {Kind::asterisk, 0}}}, 4}, // spans apart, in any order
        {{{{Kind::underscore, 0}, {Kind::asterisk, 0}, {Kind::underscore, 1}}},
         std::nullopt}, // the first character named for a span wins
        {{{{Kind::underscore, 0}, {Kind::joinLiteral, 0}, {Kind::asterisk, 1}}},
         7}, // the character the span printed unnamed
        {{{{Kind::asterisk, 0}}}, std::nullopt},
        {{{{Kind::underscore, 0}, {Kind::joinLiteral, 0}, {Kind::joinFollowing, 0}}}, 7},
        {{{{Kind::underscore, 0}}}, std::nullopt}, // the join it held joined something
        {{}, std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const InlineReading* reading = search.readingOf(cases[i].choices);
        ASSERT_EQ(reading != nullptr, cases[i].agreeing.has_value()) << i;
        if (reading) {
            EXPECT_EQ(reading->agreeing, *cases[i].agreeing) << i;
        }
    }
}

} // namespace
} // namespace markdown
