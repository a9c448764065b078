#include "notes/PlainText.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace notes {
namespace {

TEST(PlainText, LowercasesByUnicodeRulesAndKeepsIllFormedBytes) {
    EXPECT_EQ(lowercased("Notes/PLAN.Md"), "notes/plan.md");
    EXPECT_EQ(lowercased("ÄRGER Über"), "ärger über");
    EXPECT_EQ(lowercased("ΣΟΦΊΑ"), "σοφία");
    EXPECT_EQ(lowercased("ΟΔΟΣ"), "οδος");
    EXPECT_EQ(lowercased("A\xFF"
                         "B"),
              "a\xFF"
              "b");
}

TEST(PlainText, TrimsHorizontalWhitespaceOnly) {
    struct Case {
        std::string_view text;
        std::string_view trimmed;
    };
    const Case cases[] = {
        {"  Plan ", "Plan"},
        {"\tPlan\t", "Plan"},
        {"\u00A0Plan\u3000", "Plan"},
        {"\u2003 My Plan \u202F", "My Plan"},
        {"\nPlan\n", "\nPlan\n"},
        {" \r\n", "\r\n"},
        {"   ", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trimmingHorizontalWhitespace(c.text), c.trimmed) << c.text;
}

TEST(PlainText, PercentDecodesOnlyWellFormedEscapesOfUTF8) {
    struct Case {
        std::string_view text;
        std::optional<std::string> decoded;
    };
    const Case cases[] = {
        {"My%20Plan", "My Plan"}, {"%c3%a4rger%2F", "ärger/"}, {"no escapes", "no escapes"},
        {"100%", std::nullopt},   {"%2", std::nullopt},        {"%zz", std::nullopt},
        {"%FF", std::nullopt},    {"%C3", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(percentDecoded(c.text), c.decoded) << c.text;
}

} // namespace
} // namespace notes
