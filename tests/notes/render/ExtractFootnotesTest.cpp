#include "notes/render/ExtractFootnotes.hpp"

#include <gtest/gtest.h>

#include <map>

namespace notes {
namespace {

TEST(ExtractFootnotes, TakesDefinitionsOutAndKeepsEveryLine) {
    const struct {
        const char* text;
        const char* body;
        std::map<std::string, std::string> definitions;
    } cases[] = {
        {"Text[^1]\n\n[^1]: The note.", "Text[^1]\n\n", {{"1", "The note."}}},
        {"[^a]: First line\n    second line\nAfter",
         "\n\nAfter",
         {{"a", "First line\nsecond line"}}},
        {"[^a]: One\n\n    Two\n\nAfter", "\n\n\n\nAfter", {{"a", "One\n\nTwo"}}},
        {"[^a]: One\n\n  two", "\n\n  two", {{"a", "One"}}},
        {"[^my note]: x", "[^my note]: x", {}},
        {" [^a]: indented", " [^a]: indented", {}},
        {"[^]: x\n[^a] : x\n[^a]x", "[^]: x\n[^a] : x\n[^a]x", {}},
        {"[^a]:\tTab\n[^b]:", "\n", {{"a", "Tab"}, {"b", ""}}},
        // Labels beyond ASCII, and line ends other than LF, keep the rules of white space and
        // line ends that Unicode gives them.
        {"[^caf\u00E9]:  x", "", {{"caf\u00E9", "x"}}},
        {"[^a\u00A0b]: x\n[^a]: x\ry", "[^a\u00A0b]: x\n[^a]: x\ry", {}},
        // Fences: a closing run is at least as long as the opening one and of its character;
        // one never closed runs to the end.
        {"```\n[^a]: code\n```\n[^b]: after", "```\n[^a]: code\n```\n", {{"b", "after"}}},
        {"~~~~ js\n[^a]: x\n~~~\n```\n~~~~~\n[^c]: z",
         "~~~~ js\n[^a]: x\n~~~\n```\n~~~~~\n",
         {{"c", "z"}}},
        // A fence indented inside a definition belongs to it; an unindented one ends it.
        {"[^a]: x\n    ```\n[^b]: y", "\n\n", {{"a", "x\n```"}, {"b", "y"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ExtractedFootnotes result = extractFootnotes(c.text);
        EXPECT_EQ(result.body, c.body);
        FootnoteDefinitions expected;
        for (const auto& [label, text] : c.definitions)
            expected.set(label, text);
        EXPECT_EQ(result.definitions, expected);
    }
}

TEST(FootnoteDefinitions, CanonicallyEquivalentLabelsAreOneLabel) {
    const ExtractedFootnotes result =
        extractFootnotes("[^caf\u00E9]: first\n[^cafe\u0301]: second");
    EXPECT_EQ(result.definitions.size(), 1u);
    EXPECT_EQ(result.definitions.find("caf\u00E9"), "second");
    EXPECT_EQ(result.definitions.find("cafe\u0301"), "second");
    EXPECT_FALSE(result.definitions.contains("Caf\u00E9"));
}

} // namespace
} // namespace notes
