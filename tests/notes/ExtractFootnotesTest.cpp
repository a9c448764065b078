#include "notes/ExtractFootnotes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace notes {
namespace {

FootnoteDefinitions definitions(const std::map<std::string, std::string>& entries) {
    FootnoteDefinitions result;
    for (const auto& [label, text] : entries)
        result.set(label, text);
    return result;
}

TEST(ExtractFootnotes, TakesDefinitionsOutAndKeepsEveryLine) {
    struct Case {
        const char* text;
        const char* body;
        std::map<std::string, std::string> definitions;
    };
    const Case cases[] = {
        {"Text[^1]\n\n[^1]: The note.", "Text[^1]\n\n", {{"1", "The note."}}},
        {"[^a]: First line\n    second line\nAfter",
         "\n\nAfter",
         {{"a", "First line\nsecond line"}}},
        {"[^a]: One\n\n    Two\n\nAfter", "\n\n\n\nAfter", {{"a", "One\n\nTwo"}}},
        {"[^a]: One\n  two", "\n", {{"a", "One\ntwo"}}},
        {"[^a]: One\n\n  two", "\n\n  two", {{"a", "One"}}},
        {"[^a]: One\n\ttwo", "\n", {{"a", "One\ntwo"}}},
        {"[^a]:One", "", {{"a", "One"}}},
        {"[^a]:   One  ", "", {{"a", "One"}}},
        {"[^a]: One  \n    two", "\n", {{"a", "One  \ntwo"}}},
        {"[^a]:", "", {{"a", ""}}},
        {"[^my note]: x", "[^my note]: x", {}},
        {" [^a]: indented", " [^a]: indented", {}},
        {"[^x]: first\n[^x]: second", "\n", {{"x", "second"}}},
        {"[^a]: One\n\n\n", "\n\n\n", {{"a", "One"}}},
        {"[^é]: accented\n[^b]: B", "\n", {{"é", "accented"}, {"b", "B"}}},
        // "Note" and "note" are two labels.
        {"[^Note]: upper\n[^note]: lower", "\n", {{"Note", "upper"}, {"note", "lower"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ExtractedFootnotes result = extractFootnotes(c.text);
        EXPECT_EQ(result.body, c.body);
        EXPECT_EQ(result.definitions, definitions(c.definitions));
        EXPECT_EQ(std::count(result.body.begin(), result.body.end(), '\n'),
                  std::ranges::count(std::string_view(c.text), '\n'));
    }
}

TEST(ExtractFootnotes, FencedCodeHidesDefinitions) {
    struct Case {
        const char* text;
        const char* body;
        std::map<std::string, std::string> definitions;
    };
    const Case cases[] = {
        {"```\n[^a]: code\n```\n[^b]: after", "```\n[^a]: code\n```\n", {{"b", "after"}}},
        {"~~~~ js\n[^a]: x\n~~~\n[^b]: y\n~~~~~\n[^c]: z",
         "~~~~ js\n[^a]: x\n~~~\n[^b]: y\n~~~~~\n",
         {{"c", "z"}}},
        // Tildes never close a backtick fence; an unclosed fence runs to the end.
        {"  ```\n[^a]: x\n~~~\n[^b]: y", "  ```\n[^a]: x\n~~~\n[^b]: y", {}},
        // A fence indented inside a definition belongs to it; an unindented one ends it.
        {"[^a]: x\n    ```\n[^b]: y", "\n\n", {{"a", "x\n```"}, {"b", "y"}}},
        {"[^a]: x\n```\n[^b]: y\n```", "\n```\n[^b]: y\n```", {{"a", "x"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ExtractedFootnotes result = extractFootnotes(c.text);
        EXPECT_EQ(result.body, c.body);
        EXPECT_EQ(result.definitions, definitions(c.definitions));
    }
}

TEST(FootnoteDefinitions, CanonicallyEquivalentLabelsAreOneLabel) {
    const ExtractedFootnotes result =
        extractFootnotes("[^caf\u00E9]: first\n[^cafe\u0301]: second");
    EXPECT_EQ(result.definitions.size(), 1u);
    EXPECT_EQ(result.definitions.find("caf\u00E9"), "second");
    EXPECT_EQ(result.definitions.find("cafe\u0301"), "second");
    EXPECT_FALSE(result.definitions.contains("Caf\u00E9"));
    EXPECT_EQ(result.definitions.find("cafe"), std::nullopt);
}

} // namespace
} // namespace notes
