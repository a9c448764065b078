#include "Markdown/format/InlineSearch.hpp"

#include <gtest/gtest.h>

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

} // namespace
} // namespace markdown
