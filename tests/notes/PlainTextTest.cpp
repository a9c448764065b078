#include "notes/PlainText.hpp"
#include "notes/CharacterText.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace notes {
namespace {

TEST(PlainText, LowercasesByUnicodeRulesAndKeepsIllFormedBytes) {
    EXPECT_EQ(lowercased("Notes/PLAN.Md"), "notes/plan.md");
    EXPECT_EQ(lowercased("ÄRGER ΟΔΟΣ"), "ärger οδος");
    EXPECT_EQ(lowercased("A\xFF"
                         "B"),
              "a\xFF"
              "b");
}

TEST(PlainText, TrimsHorizontalWhitespaceOnly) {
    EXPECT_EQ(trimWhitespace("\t Plan \t"), "Plan");
    EXPECT_EQ(trimWhitespace("\u00A0\u2003My Plan\u3000\u202F"), "My Plan");
    EXPECT_EQ(trimWhitespace(" \nPlan\r\n"), "\nPlan\r\n");
    EXPECT_EQ(trimWhitespace("   "), "");
}

TEST(PlainText, PercentDecodesOnlyWellFormedEscapesOfUTF8) {
    const std::pair<std::string_view, std::optional<std::string>> cases[] = {
        {"My%20Plan", "My Plan"}, {"%c3%a4rger%2F", "ärger/"}, {"100%", std::nullopt},
        {"%2", std::nullopt},     {"%zz", std::nullopt},       {"%C3", std::nullopt},
    };
    expectCases(cases, percentDecoded);
}

} // namespace
} // namespace notes
