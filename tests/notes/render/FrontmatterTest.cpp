#include "notes/render/Frontmatter.hpp"
#include "notes/render/PropertiesBox.hpp"

#include "tests/notes/ExpectCases.hpp"

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
        {"---\na: 1\nb: 2\n...\nBody\n", {"a: 1\nb: 2", "\n\n\n\nBody\n"}},
        // "----" closes nothing, so the block runs on to the "---".
        {"---\na: 1\n----\n---\nBody", {"a: 1\n----", "\n\n\n\nBody"}},
        {"---\ntitle: x\nBody", {std::nullopt, "---\ntitle: x\nBody"}},
        {"--- \na: 1\n---\n", {std::nullopt, "--- \na: 1\n---\n"}},
        // A CR LF pair is one character, not a line feed.
        {"---\r\na: 1\r\n---\r\nBody", {std::nullopt, "---\r\na: 1\r\n---\r\nBody"}},
    };
    expectCases(cases, Frontmatter::split);
}

TEST(Frontmatter, ReadsKeysAndEachFormOfValueAndSkipsStrayLines) {
    const std::pair<const char*, std::vector<Property>> cases[] = {
        {"title: 'Hello: world'", {{"title", Text{"Hello: world"}}}},
        {"time: 10:30", {{"time", Text{"10:30"}}}},
        {"quote: '", {{"quote", Text{"'"}}}},
        {"tags: [a, 'b c', , d]", {{"tags", List{{"a", "b c", "d"}}}}},
        {"tags:\n  - a\n  - b", {{"tags", List{{"a", "b"}}}}},
        // A list run wins over "|": every line is an item.
        {"tags: |\n  - a", {{"tags", List{{"a"}}}}},
        {"authors:\n  - name: X\n  - name: Y", {{"authors", Raw{"- name: X\n- name: Y"}}}},
        {"desc: |\n  line one\n    indented\n  line two",
         {{"desc", Text{"line one\n  indented\nline two"}}}},
        {"desc: >\n  line one\n    indented\n  line two",
         {{"desc", Text{"line one   indented line two"}}}},
        // A tab ends the indentation and makes the shared indentation zero.
        {"a:\n    x\n\ty", {{"a", Raw{"    x\n\ty"}}}},
        {"- x\nloose text\n  indented\ntitle: T", {{"title", Text{"T"}}}},
        // Keys and values are trimmed of tabs and Unicode spaces, not of line-break characters.
        {"\u00A0name\t:\u2003Ada\u00A0", {{"name", Text{"Ada"}}}},
        // A colon carrying a combining mark is not the key's colon.
        {"a:\u0301b: c", {{"a:\u0301b", Text{"c"}}}},
    };
    expectCases(cases, Frontmatter::parse);
}

TEST(PropertiesBox, TextsGoThroughTheTextWriterKeysAndRawValuesAreEscaped) {
    std::string out = "before\n";
    writePropertiesBox(out,
                       "related: [[Other note]]\na<b: [x, 'y & z']\nempty: []\n"
                       "notes:\n  a & b\n  <c>",
                       [&out](std::string_view text) { out += "{" + std::string(text) + "}"; });
    EXPECT_EQ(out, "before\n"
                   "<details class=\"frontmatter\"><summary>Properties</summary>\n<table>\n"
                   "<tr><th>related</th><td>{[[Other note]]}</td></tr>\n"
                   "<tr><th>a&lt;b</th><td><span class=\"chip\">{x}</span>"
                   "<span class=\"chip\">{y & z}</span></td></tr>\n"
                   "<tr><th>empty</th><td></td></tr>\n"
                   "<tr><th>notes</th><td><pre>a &amp; b\n&lt;c&gt;</pre></td></tr>\n"
                   "</table></details>\n");
}

} // namespace
} // namespace notes
