#include "Markdown/directives/RoadLineRules.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace markdown {
namespace {

TEST(RoadLineRules, FencesAreThreeWholeBackticksOrTildesAfterSpacesAndTabs) {
    const struct {
        std::string_view line;
        bool fence;
    } lines[] = {
        {"```", true},
        {"```cpp", true},
        {"\t ~~~x", true},
        {"    ~~~", true}, // how deep a fence may stand is for the caller
        {"``", false},
        {"~~", false},
        {"", false},
        {"   ", false},
        {"x```", false},
        // A combining mark after the run joins its last character; one after a longer run
        // leaves three whole ones before it.
        {"```\xD6\x99", false},
        {"~~~\xCC\x81", false},
        {"````\xCC\x81", true},
        // A space carrying a mark is no indentation.
        {" \xCC\x81```", false},
    };
    for (const auto& [line, fence] : lines) {
        EXPECT_EQ(readsAsRoadFence(line), fence) << line;
        EXPECT_EQ(TrimmedLine(line, 0, 1, std::nullopt).isCodeFence(), fence) << line;
    }
    // A line asks from where its parse stands.
    EXPECT_TRUE(TrimmedLine("> ```", 1, 1, std::nullopt).isCodeFence());
    EXPECT_FALSE(TrimmedLine("```", 1, 1, std::nullopt).isCodeFence());
}

TEST(RoadLineRules, DoxygenCommandsAreNamedInEitherCase) {
    using Name = DoxygenCommandName;
    const struct {
        std::string_view word;
        std::optional<Name> name;
    } words[] = {
        {"param", Name::param},       {"Discussion", Name::discussion},
        {"NOTE", Name::note},         {"brief", Name::abstract},
        {"abstract", Name::abstract}, {"return", Name::returns},
        {"Returns", Name::returns},   {"result", Name::returns},
        {"notes", std::nullopt},      {"note:", std::nullopt},
        {"", std::nullopt},           {"n\xC3\xB6te", std::nullopt},
        {"\xC3\x89TE", std::nullopt},
    };
    for (const auto& [word, name] : words)
        EXPECT_EQ(doxygenCommandNamed(word), name) << word;
}

TEST(RoadLineRules, ArgumentTextEndsAtAParenthesisOutsideQuotesAndEscapes) {
    const struct {
        std::string_view rest;
        std::int64_t length;
    } rests[] = {
        {"a, b) {", 4},     {"\"a)\" b) c", 6}, {"a\\) b) c", 5},
        {"no end", 6},      {"\"open)", 6},     {"\xC3\xA9)", 1}, // characters, not bytes
        {"a)\xCC\x81)", 2}, // a parenthesis carrying a mark is no parenthesis
        {")", 0},
    };
    for (const auto& [rest, length] : rests)
        EXPECT_EQ(argumentTextLength(rest), length) << rest;
}

} // namespace
} // namespace markdown
