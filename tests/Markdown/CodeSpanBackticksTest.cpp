#include "Markdown/CMarkParser.hpp"
#include "tests/Markdown/CMarkTestSupport.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace markdown {
namespace {

using testing::nodesOfType;
using Spans = std::vector<std::pair<std::string, unsigned>>;

Spans codeSpansOf(std::string_view text, int options) {
    const CMarkDocument document = CMarkParser::parse(text, options);
    Spans spans;
    for (const CMarkNode code : nodesOfType(document.root(), "code"))
        spans.emplace_back(*code.literal(), code.backtickCount());
    return spans;
}

TEST(CodeSpanBackticks, CountsTheRunThatOpensEachSpan) {
    const struct {
        std::string_view where;
        std::string_view text;
        Spans spans;
    } cases[] = {
        {"one line", "`a` ``b`` ```c```", {{"a", 1}, {"b", 2}, {"c", 3}}},
        {"same code", "`a` ``a`` `a`", {{"a", 1}, {"a", 2}, {"a", 1}}},
        {"backtick inside", "`` a`b `` ``` `` ```", {{"a`b", 2}, {"``", 3}}},
        {"continuation line", "para\n   more ``x`` and `y`", {{"x", 2}, {"y", 1}}},
        {"block quote", "> q `a`\n> cont ``b``\n>   ```c```", {{"a", 1}, {"b", 2}, {"c", 3}}},
        {"lazy quote line", "> q\n``a``", {{"a", 2}}},
        {"table cell", "| h |\n|---|\n| ``a`` \\| `b` |", {{"a", 2}, {"b", 1}}},
        {"escaped backtick", "\\``a` \\\\``b``", {{"a", 1}, {"b", 2}}},
        {"after a backslash break", "x\\\ny\\\nz ``a`` `b`", {{"a", 2}, {"b", 1}}},
        {"after a title across lines", "[l](/u \"t\nu\") ``a``", {{"a", 2}}},
        {"after HTML across lines", "<span\na=\"`\"> ``a``", {{"a", 2}}},
        {"span across lines", "x ``a\nb`` `c`", {{"a b", 2}, {"c", 1}}},
        {"headings", "## h ``a``\n\nset `b`\n  ``c``\n===", {{"a", 2}, {"b", 1}, {"c", 2}}},
        {"attribute text", "x ^[y ``a``](k) `b`", {{"a", 2}, {"b", 1}}},
        {"line feeds with returns", "x\r\ny ``a``\r\n`b`", {{"a", 2}, {"b", 1}}},
        {"tab before", "-\tx ``a``\n\t``b``", {{"a", 2}, {"b", 2}}},
    };
    for (const int options : {CMarkParser::sourcePositions | CMarkParser::tableCellSpans, 0}) {
        for (const auto& c : cases)
            EXPECT_EQ(codeSpansOf(c.text, options), c.spans) << c.where << ", options " << options;
    }
}

TEST(CodeSpanBackticks, OtherNodesHaveNone) {
    const CMarkDocument document = CMarkParser::parse("`a` b\n\n```\nc\n```", 0);
    CMarkIterator iterator(document.root());
    while (iterator.next() != CMarkEvent::done) {
        if (iterator.node().typeString() != "code") {
            EXPECT_EQ(iterator.node().backtickCount(), 0u) << iterator.node().typeString();
        }
    }
}

} // namespace
} // namespace markdown
