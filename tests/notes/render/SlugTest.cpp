#include "notes/render/Slugify.hpp"
#include "notes/render/UsedSlugs.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(Slugify, KeepsLettersAndNumbersAndJoinsWordsWithOneHyphen) {
    const std::pair<const char*, const char*> cases[] = {
        {"Hello, World!", "hello-world"},
        {"--a__b--", "a-b"},
        {"A\tB  c-D", "ab-c-d"},
        {"a\tb\u00A0c", "abc"},
        {"\u041F\u0440\u0438\u0432\u0435\u0442 \u041C\u0438\u0440",
         "\u043F\u0440\u0438\u0432\u0435\u0442-\u043C\u0438\u0440"},
        // A letter keeps its combining marks; a mark after a space makes that space no
        // separator, and a mark with nothing before it is dropped.
        {"Cafe\u0301 Noir", "cafe\u0301-noir"},
        {"x \u0301y", "xy"},
        {"\u0301abc", "abc"},
    };
    expectCases(cases, slugify);
}

TEST(UsedSlugs, NumbersRepeatedSlugsPastEveryIdAlreadyTaken) {
    UsedSlugs used;
    std::vector<std::string> ids;
    for (const char* text : {"Intro 3", "Intro", "Intro", "intro!", "Intro", "Intro 1", "Intro", "",
                             "***", "Caf\u00E9", "Cafe\u0301"})
        ids.push_back(used.uniqueSlug(text));
    EXPECT_EQ(ids, (std::vector<std::string>{"intro-3", "intro", "intro-1", "intro-2", "intro-4",
                                             "intro-1-1", "intro-5", "section", "section-1",
                                             "caf\u00E9", "cafe\u0301-1"}));
}

} // namespace
} // namespace notes
