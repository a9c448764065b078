#include "notes/Frontmatter.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {

namespace {

using Property = Frontmatter::Property;
using Text = Frontmatter::Text;
using List = Frontmatter::List;
using Raw = Frontmatter::Raw;

TEST(Frontmatter, SplitReplacesTheBlockWithEmptyLines) {
    const std::pair<const char*, Frontmatter::Split> cases[] = {
        {"---\ntitle: Hello\n---\nBody", {"title: Hello", "\n\n\nBody"}},
        {"---\n---\nBody", {"", "\n\nBody"}},
        {"---\na: 1\nb: 2\n...\nBody\n", {"a: 1\nb: 2", "\n\n\n\nBody\n"}},
        {"---\n  a: 1\n  ---  \nBody", {"  a: 1", "\n\n\nBody"}},
        // "----" closes nothing, so the block runs on to the "---".
        {"---\na: 1\n----\n---\nBody", {"a: 1\n----", "\n\n\n\nBody"}},
        {"---\ntitle: x\nBody", {std::nullopt, "---\ntitle: x\nBody"}},
        {"---", {std::nullopt, "---"}},
        {"--- \na: 1\n---\n", {std::nullopt, "--- \na: 1\n---\n"}},
        // A CR LF pair is one character, not a line feed.
        {"---\r\na: 1\r\n---\r\nBody", {std::nullopt, "---\r\na: 1\r\n---\r\nBody"}},
    };
    expectCases(cases, Frontmatter::split);
}

TEST(Frontmatter, ReadsEachFormOfValue) {
    const std::pair<const char*, std::vector<Property>> cases[] = {
        {"title: My note", {{"title", Text{"My note"}}}},
        {"title: 'Hello: world'", {{"title", Text{"Hello: world"}}}},
        {"title: \"Hello\"", {{"title", Text{"Hello"}}}},
        {"title: 'x", {{"title", Text{"'x"}}}},
        {"time: 10:30", {{"time", Text{"10:30"}}}},
        {"related: [[Other note]]", {{"related", Text{"[[Other note]]"}}}},
        {"tags: [a, 'b c', , d]", {{"tags", List{{"a", "b c", "d"}}}}},
        {"tags: []", {{"tags", List{}}}},
        {"tags:\n  - a\n  - b", {{"tags", List{{"a", "b"}}}}},
        {"tags:\n- a\n- b", {{"tags", List{{"a", "b"}}}}},
        {"tags:\n  - \"\"\n  - 'q'", {{"tags", List{{"", "q"}}}}},
        // A list run wins over "|": every line is an item.
        {"tags: |\n  - a", {{"tags", List{{"a"}}}}},
        {"authors:\n  - name: X\n  - name: Y", {{"authors", Raw{"- name: X\n- name: Y"}}}},
        {"desc: |\n  line one\n    indented\n  line two",
         {{"desc", Text{"line one\n  indented\nline two"}}}},
        {"desc: >\n  line one\n    indented\n  line two",
         {{"desc", Text{"line one   indented line two"}}}},
        {"desc: |\n  a\n\n  b", {{"desc", Text{"a\nb"}}}},
        {"desc: |", {{"desc", Raw{""}}}},
        {"key:", {{"key", Raw{""}}}},
        {"a: 1\n  more", {{"a", Raw{"more"}}}},
        // A tab ends the indentation and makes the shared indentation zero.
        {"a:\n    x\n\ty", {{"a", Raw{"    x\n\ty"}}}},
    };
    expectCases(cases, Frontmatter::parse);
}

TEST(Frontmatter, KeyLinesCommentsAndStrayLines) {
    EXPECT_EQ(Frontmatter::parse(""), std::vector<Property>{});
    EXPECT_EQ(Frontmatter::parse("- x\nloose text\n  indented\ntitle: T"),
              (std::vector<Property>{{"title", Text{"T"}}}));
    EXPECT_EQ(Frontmatter::parse("# comment\na: 1\n# another"),
              (std::vector<Property>{{"a", Text{"1"}}}));
    EXPECT_EQ(Frontmatter::parse("a:\n  # note"), (std::vector<Property>{{"a", Raw{"# note"}}}));
    EXPECT_EQ(Frontmatter::parse(": value\nmy key: v\n\tb: 2"),
              (std::vector<Property>{{"", Text{"value"}}, {"my key", Raw{"\tb: 2"}}}));
    EXPECT_EQ(Frontmatter::parse("tag: a\ntag: b"),
              (std::vector<Property>{{"tag", Text{"a"}}, {"tag", Text{"b"}}}));
    // Keys and values are trimmed of tabs and Unicode spaces, not of line-break characters.
    EXPECT_EQ(Frontmatter::parse("\u00A0name\t:\u2003Ada\u00A0"),
              (std::vector<Property>{{"name", Text{"Ada"}}}));
    // A colon carrying a combining mark is not the key's colon.
    EXPECT_EQ(Frontmatter::parse("a:\u0301b: c"),
              (std::vector<Property>{{"a:\u0301b", Text{"c"}}}));
}

} // namespace
} // namespace notes
