#include "Markdown/CommonMarkConverter.hpp"

#include "RawOutline.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using testing::outline;

RawMarkupPtr parse(std::string_view text, ParseOptions options = {}) {
    return parseRawDocument(text, std::nullopt, options);
}

TEST(CommonMarkConverter, RangeRuleWidensCodeSpansAndDropsUnknownOrInvertedPositions) {
    const struct {
        const char* what;
        CMarkPosition position;
        unsigned backticks;
        std::optional<SourceRange> range;
    } cases[] = {
        {"a block over two lines", {2, 1, 3, 4}, 0, SourceRange({2, 1}, {3, 5})},
        {"a code span in single backticks", {1, 4, 1, 7}, 1, SourceRange({1, 3}, {1, 9})},
        {"a code span in triple backticks", {2, 5, 2, 5}, 3, SourceRange({2, 2}, {2, 9})},
        {"end column 0 at column 1", {1, 1, 1, 0}, 0, SourceRange({1, 1}, {1, 1})},
        {"end column 0 further right", {1, 3, 1, 0}, 0, std::nullopt},
        {"start line 0", {0, 1, 1, 4}, 0, std::nullopt},
        {"negative end column", {1, 1, 1, -1}, 0, std::nullopt},
        {"end on an earlier line", {3, 1, 2, 9}, 0, std::nullopt},
        {"end left of start", {1, 5, 1, 2}, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cmarkSourceRange(c.position, c.backticks, std::nullopt), c.range) << c.what;

    const URL note = URL::fileURL(std::string("/notes/a.md"));
    const auto range = cmarkSourceRange({1, 2, 1, 4}, 0, note);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->start(), SourceLocation(1, 2, note));
    EXPECT_EQ(range->end(), SourceLocation(1, 5, note));
}

TEST(CommonMarkConverter, AsksTheParserForCellSpansAndWhatTheOptionsLeaveOn) {
    const struct {
        ParseOptions options;
        int bits;
    } cases[] = {
        {{}, 0x100402},
        {{ParseOptions::disableSmartPunctuation, ParseOptions::disableSourcePositions}, 0x100000},
        {{ParseOptions::parseBlockDirectives, ParseOptions::parseMinimalDoxygen,
          ParseOptions::parseSymbolLinks},
         0x100402},
        {ParseOptions(~std::uint64_t{0x14}), 0x100402},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cmarkOptionBits(c.options), c.bits) << c.options.rawValue;
}

TEST(CommonMarkConverter, ConvertsEveryKindOfNodeWithItsRange) {
    const struct {
        const char* text;
        const char* tree;
    } cases[] = {
        {"", "document\n"},
        {"# Title *em*\n", R"(document 1:1-1:13
  heading(level: 1) 1:1-1:13
    text("Title ") 1:3-1:9
    emphasis 1:9-1:13
      text("em") 1:10-1:12
)"},
        {"- [x] done\n- [ ] open\n- plain\n", R"(document 1:1-3:8
  unorderedList 1:1-3:8
    listItem(checkbox: checked) 1:1-1:11
      paragraph 1:7-1:11
        text("done") 1:7-1:11
    listItem(checkbox: unchecked) 2:1-2:11
      paragraph 2:7-2:11
        text("open") 2:7-2:11
    listItem(checkbox: nil) 3:1-3:8
      paragraph 3:3-3:8
        text("plain") 3:3-3:8
)"},
        {"0) zero\n", R"(document 1:1-1:8
  orderedList(startIndex: 0) 1:1-1:8
    listItem(checkbox: nil) 1:1-1:8
      paragraph 1:4-1:8
        text("zero") 1:4-1:8
)"},
        {"```swift\nlet x\n```\n\n```\nplain\n```\n\n    indented\n", R"(document 1:1-9:13
  codeBlock("let x\n", language: "swift") 1:1-3:4
  codeBlock("plain\n", language: nil) 5:1-7:4
  codeBlock("indented\n", language: nil) 9:5-9:13
)"},
        {"<div>\nhi\n</div>\n", R"(document 1:1-3:7
  htmlBlock("<div>\nhi\n</div>\n") 1:1-3:7
)"},
        // The parser gives breaks no position; its text before a hard break covers the blanks.
        {"a  \nb\nc\n", R"(document 1:1-3:2
  paragraph 1:1-3:2
    text("a") 1:1-1:4
    lineBreak
    text("b") 2:1-2:2
    softBreak
    text("c") 3:1-3:2
)"},
        {"*a **b** c*\n", R"(document 1:1-1:12
  paragraph 1:1-1:12
    emphasis 1:1-1:12
      text("a ") 1:2-1:4
      strong 1:4-1:9
        text("b") 1:6-1:7
      text(" c") 1:9-1:11
)"},
        {"`code` ``sym`` ~~gone~~ <kbd>\n", R"(document 1:1-1:30
  paragraph 1:1-1:30
    inlineCode("code") 1:1-1:7
    text(" ") 1:7-1:8
    inlineCode("sym") 1:8-1:15
    text(" ") 1:15-1:16
    strikethrough 1:16-1:24
      text("gone") 1:18-1:22
    text(" ") 1:24-1:25
    inlineHTML("<kbd>") 1:25-1:30
)"},
        {"[t](/u \"T\") [e]() ![i](<>) ^[at](k=v)\n", R"(document 1:1-1:38
  paragraph 1:1-1:38
    link(destination: "/u", title: "T") 1:1-1:12
      text("t") 1:2-1:3
    text(" ") 1:12-1:13
    link(destination: nil, title: nil) 1:13-1:18
      text("e") 1:14-1:15
    text(" ") 1:18-1:19
    image(source: nil, title: nil) 1:19-1:27
      text("i") 1:21-1:22
    text(" ") 1:27-1:28
    inlineAttributes(attributes: "k=v") 1:28-1:38
      text("at") 1:30-1:32
)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outline(parse(c.text)), c.tree) << c.text;
}

TEST(CommonMarkConverter, MakesSymbolLinksOfDoubleBacktickSpansOnlyWhenAsked) {
    const char* text = "`one` ``two`` ```three```";
    const struct {
        ParseOptions options;
        const char* tree;
    } cases[] = {
        {ParseOptions::parseSymbolLinks, R"(document 1:1-1:26
  paragraph 1:1-1:26
    inlineCode("one") 1:1-1:6
    text(" ") 1:6-1:7
    symbolLink(destination: "two") 1:7-1:14
    text(" ") 1:14-1:15
    symbolLink(destination: "three") 1:15-1:26
)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outline(parse(text, c.options)), c.tree) << c.options.rawValue;
}

TEST(CommonMarkConverter, IgnoresDirectiveOptionsAndUnknownBits) {
    const char* text = "@param x text\n\n@Directive(a: b) {\n`` s ``\n}\n";
    const std::string plain = outline(parse(text));
    EXPECT_EQ(plain, outline(parse(text, ParseOptions::parseMinimalDoxygen)));
    EXPECT_EQ(plain, outline(parse(text, ParseOptions::parseBlockDirectives)));
    EXPECT_EQ(outline(parse(text, ParseOptions::parseSymbolLinks)),
              outline(parse(text, ParseOptions(std::uint64_t{1} << 40 | 0x20 | 2))));
}

} // namespace
} // namespace markdown
