#include "Markdown/format/RoadReading.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

// A paragraph's laid-out text and the texts each of its candidate line changes gives.
struct LineChange {
    std::string_view text;
    std::vector<std::string> changed;
};

// Each change makes one line open with a run the road flips at, or no longer; a line after the
// first is indented, where a paragraph's continuation line opens no code.
TEST(RoadReading, ChangesOneLineStartForEachToggleFlip) {
    const LineChange cases[] = {
        {"\\`\\`\\`a`", {"```a`"}},
        {"x\n\\`\\`\\`y", {"x\n    ```y"}},
        {"```a`b`", {"\\`\\`\\`a`b`"}},
        {"x\n\\~\\~\\~y", {"x\n    ~~~y"}},
        {"x\n\\~~~", {"x\n    ~~~"}},
        {"\\~\\~\\~y", {}}, // a first line of tildes would open code
        {"x\n\\~\\~y", {}},
        {"plain\ntext", {}},
        {"\\`\\`\\`a\n```b", {"```a\n```b", "\\`\\`\\`a\n\\`\\`\\`b"}},
    };
    for (const LineChange& c : cases)
        EXPECT_EQ(linesFlippingToggle(c.text), c.changed) << c.text;
    std::string many;
    for (int line = 0; line < 12; ++line)
        many += "\\`\\`\\`\n";
    EXPECT_EQ(linesFlippingToggle(many).size(), 8U);
}

// In a paragraph a line may also end at a space before a run: inside a code span, where the line
// end reads as that space, before a span that opens with one, or before escaped tildes.
TEST(RoadReading, EndsAParagraphLineBeforeARun) {
    const LineChange cases[] = {
        {"a ` ``` b`", {"a `\n    ``` b`"}},
        {"[a `x ~~~`](u)", {"[a `x\n    ~~~`](u)"}},
        {"`a ```` b`", {"`a\n    ```` b`"}},
        {"``` a ```", {"\\`\\`\\` a ```", "``` a\n    ```"}}, // its closing run too
        {"a ``` `b`", {}},                                    // a run that opens no span
        {"`a` ```b", {}},                                     // ...outside the span
        {"`a\\ ``` b`", {"`a\\\n    ``` b`"}},
        {"a ```}```", {"a\n    ```}```"}},   // a span opening with a run of three
        {"p \\~\\~\\~ q", {"p\n    ~~~ q"}}, // escaped tildes
        {"p\t \\~~~", {}},
        {"a  ```}```", {}},
        {"`a `` b`", {}}, // too short to flip
    };
    for (const LineChange& c : cases)
        EXPECT_EQ(linesFlippingToggle(c.text, true), c.changed) << c.text;
    // Elsewhere than in a paragraph, a line end could end the block.
    EXPECT_EQ(linesFlippingToggle("a ` ``` b`"), std::vector<std::string>{});
}

TEST(RoadReading, FindsBareBacktickRunsAndTheirSpans) {
    struct Case {
        std::string_view text;
        std::vector<BacktickRun> runs;
    };
    const Case cases[] = {
        {"a\\`b", {}},
        {"`a` b", {{0, 1, 3}, {2, 1, std::nullopt}}},
        {"``a`b``", {{0, 2, 7}, {5, 2, std::nullopt}}}, // a shorter run inside
        {"`a\\`b", {{0, 1, 4}, {3, 1, std::nullopt}}},  // a backslash escapes nothing inside
        {"\\``a`", {{2, 1, 5}, {4, 1, std::nullopt}}},  // an escaped backtick starts no run
        {"```a", {{0, 3, std::nullopt}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bareBacktickRuns(c.text), c.runs) << c.text;
}

// Wrapped text may end a line before an escaped run, to open the next with it bare, only where
// the line end stays outside code spans and no bare run of three could pair with it.
TEST(RoadReading, BreaksBeforeAnEscapedRunOnlyOutsideCodeSpans) {
    struct Case {
        std::string_view text;
        std::optional<std::string> broken;
    };
    const Case cases[] = {
        {"a \\`\\`\\`b", "a\n    ```b"},
        {"a `c` \\`\\`\\`b", "a `c`\n    ```b"},
        {"a `c \\`\\`\\`b`", std::nullopt},          // the space is the code span's
        {"a \\`\\`\\`b ```", std::nullopt},          // a run that would close it
        {"```a``` \\`\\`\\`b", "```a```\n    ```b"}, // ...or not, closing a span before
        {"``` a \\`\\`\\`b", std::nullopt},
        {"[a](b \\`\\`\\`)", std::nullopt},
        {"a \\`\\`\\`b [c](u)", "a\n    ```b [c](u)"},
        // Whitespace left at a line's end would be trimmed: only a lone space breaks.
        {"a\t \\`\\`\\`b", std::nullopt},
        {"a  \\`\\`\\`b", std::nullopt},
        {"a\t \\`\\`\\`b c \\`\\`\\`d", "a\t \\`\\`\\`b c\n    ```d"},
        {"a\\ \\`\\`\\`b", std::nullopt}, // ...a backslash would make a hard break
    };
    for (const Case& c : cases)
        EXPECT_EQ(withLineFlippingToggle(c.text, true), c.broken) << c.text;
    EXPECT_EQ(withLineFlippingToggle("a \\`\\`\\`b", false), std::nullopt);
    EXPECT_EQ(withLineFlippingToggle("a} \\`\\`\\`b", true), "a}\n    ```b");
    // Bare at a line's start, a run would pair with a bare run of its length.
    EXPECT_EQ(withLineFlippingToggle("\\`\\`\\`a ```b", false), std::nullopt);
    EXPECT_EQ(withLineFlippingToggle("\\`\\`\\`a \\`b", false), "```a \\`b");
    // Wrapped, the first line runs on to the backtick, where its line ends were spaces.
    EXPECT_EQ(withLineFlippingToggle("\\`\\`\\`a\nb\nc \\`d\ne", true), "```a b c \\`d\ne");
    EXPECT_EQ(withLineFlippingToggle("\\`\\`\\`a\nb \\`d", false), std::nullopt);
}

TEST(RoadReading, ReadsCodeLinesAsTheRoadDoes) {
    // A Doxygen command's lines: no toggle, so a directive line is one after a fence too.
    EXPECT_FALSE(RoadReading::withoutToggle("", "```\n@x").codeKept);
    EXPECT_FALSE(RoadReading::withoutToggle("", "\\note").codeKept);
    const RoadReading kept = RoadReading::withoutToggle("", "```\n~~~\nb");
    EXPECT_TRUE(kept.codeKept);
    EXPECT_FALSE(kept.endsInCode);
    // A closing brace indented as code past the content's indentation closes nothing.
    EXPECT_TRUE(RoadReading::of(false, true, "", "  ", "    }", std::nullopt, 6).codeKept);
    EXPECT_FALSE(RoadReading::of(false, true, "", "  ", "    }", std::nullopt, 7).codeKept);
    EXPECT_FALSE(RoadReading::of(false, true, "", "  ", "    }", std::nullopt).codeKept);
    EXPECT_TRUE(RoadReading::of(false, false, "", "  ", "    }", std::nullopt).codeKept);
}

TEST(RoadReading, TextsReadAlikeWhereTheirTreesDo) {
    EXPECT_TRUE(readAlike("a\n\\`\\`\\`b", "a\n    ```b"));
    EXPECT_TRUE(readAlike("x `a` b", "x ``` a\n    ``` b"));
    EXPECT_FALSE(readAlike("`a` b", "``` a\n    ``` b"));                    // code after a fence
    EXPECT_FALSE(readAlike("\\`\\`\\`b", "```b"));                           // ...or a fence alone
    EXPECT_FALSE(readAlike("a\n\\`\\`\\`b ```c```", "a\n    ```b ```c```")); // a run that pairs
}

} // namespace
} // namespace markdown
