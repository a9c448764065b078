#include "Markdown/CommonMarkConverter.hpp"
#include "Markdown/ContainerConversion.hpp"
#include "Markdown/Elements.hpp"
#include "Markdown/LazySplitLines.hpp"

#include "RandomText.hpp"
#include "RawOutline.hpp"
#include "StackThread.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace markdown {
namespace {

using testing::outline;

const ParseOptions directives = ParseOptions::parseBlockDirectives;
const ParseOptions doxygen = {ParseOptions::parseBlockDirectives,
                              ParseOptions::parseMinimalDoxygen};
const URL file = URL::fileURL(std::string("/notes/a.md"));

TEST(BlockDirectiveRoad, TextWithoutDirectivesParsesAsOneRunWithoutSources) {
    // Every line break counts as a line feed.
    const char* text = "# T\n\ntext\r\nmore\rlast";
    EXPECT_EQ(outline(Document::parsing(text, std::nullopt, directives).raw().markup),
              outline(parseString("# T\n\ntext\nmore\nlast").raw().markup));
    // Only the document's start carries the source.
    const Document road = Document::parsing(text, file, directives);
    EXPECT_EQ(road.range(), SourceRange({1, 1, file}, {5, 5}));
    EXPECT_EQ(road.childAt(0)->range(), SourceRange({1, 1}, {1, 4}));
}

TEST(BlockDirectiveRoad, ConvertsDirectivesAndCommandsAroundTheirContent) {
    const struct {
        const char* what;
        std::string text;
        ParseOptions options;
        std::string outline;
    } cases[] = {
        {"content indented four columns keeps its columns",
         "# Title\n\n@Box {\n    Indented *text*\n    more\n}\nafter", directives,
         "document 1:1-7:6\n"
         "  heading(level: 1) 1:1-1:8\n"
         "    text(\"Title\") 1:3-1:8\n"
         "  blockDirective(name: \"Box\", nameLocation: 3:2, arguments: []) 3:1-6:2\n"
         "    paragraph 4:5-5:9\n"
         "      text(\"Indented \") 4:5-4:14\n"
         "      emphasis 4:14-4:20\n"
         "        text(\"text\") 4:15-4:19\n"
         "      softBreak\n"
         "      text(\"more\") 5:5-5:9\n"
         "  paragraph 7:1-7:6\n"
         "    text(\"after\") 7:1-7:6\n"},
        {"a run starting at line 10 keeps the lines of the whole text",
         "@Box {\n\n\n\n\n\n\n\n}\n- item\n  more", directives,
         "document 1:1-11:7\n"
         "  blockDirective(name: \"Box\", nameLocation: 1:2, arguments: []) 1:1-9:2\n"
         "  unorderedList 10:1-11:7\n"
         "    listItem(checkbox: nil) 10:1-11:7\n"
         "      paragraph 10:3-11:7\n"
         "        text(\"item\") 10:3-10:7\n"
         "        softBreak\n"
         "        text(\"more\") 11:3-11:7\n"},
        {"nested directives convert depth first; arguments keep their lines",
         "@Outer(a: 1,\n  b: 2) {\n  @Inner {\n    deep\n  }\n  tail\n}", directives,
         "document 1:1-7:2\n"
         "  blockDirective(name: \"Outer\", nameLocation: 1:2, arguments: [\"@Outer(a: 1,\", "
         "\"  b: 2\"]) 1:1-7:2\n"
         "    blockDirective(name: \"Inner\", nameLocation: 3:4, arguments: []) 3:3-5:4\n"
         "      paragraph 4:5-4:9\n"
         "        text(\"deep\") 4:5-4:9\n"
         "    paragraph 6:3-6:7\n"
         "      text(\"tail\") 6:3-6:7\n"},
        {"directives without content keep their own ranges", "@Empty {}\n@Bare\n\ntext", directives,
         "document 1:1-4:5\n"
         "  blockDirective(name: \"Empty\", nameLocation: 1:2, arguments: []) 1:1-1:10\n"
         "  blockDirective(name: \"Bare\", nameLocation: 2:2, arguments: []) 2:1-2:6\n"
         "  paragraph 4:1-4:5\n"
         "    text(\"text\") 4:1-4:5\n"},
        {"Doxygen commands hold their description, continuation lines included",
         "Sums.\n@param x The first\n  addend.\n@returns The sum.\n\nMore.", doxygen,
         "document 1:1-6:6\n"
         "  paragraph 1:1-1:6\n"
         "    text(\"Sums.\") 1:1-1:6\n"
         "  doxygenParam(name: \"x\") 2:1-3:10\n"
         "    paragraph 2:10-3:10\n"
         "      text(\"The first\") 2:10-2:19\n"
         "      softBreak\n"
         "      text(\"addend.\") 3:3-3:10\n"
         "  doxygenReturns 4:1-4:18\n"
         "    paragraph 4:10-4:18\n"
         "      text(\"The sum.\") 4:10-4:18\n"
         "  paragraph 6:1-6:6\n"
         "    text(\"More.\") 6:1-6:6\n"},
        // Widths on the opening line count characters where columns count bytes, so after an
        // accented name the content and the end stand one column early (bytes: 1:10, 1:17).
        {"a non-ASCII name", "@Caf\xC3\xA9 { hello }", directives,
         "document 1:1-1:16\n"
         "  blockDirective(name: \"Caf\xC3\xA9\", nameLocation: 1:2, arguments: []) 1:1-1:16\n"
         "    paragraph 1:9-1:14\n"
         "      text(\"hello\") 1:9-1:14\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outline(Document::parsing(c.text, std::nullopt, c.options).raw().markup),
                  c.outline)
            << c.what;
}

TEST(BlockDirectiveRoad, OnlyDirectivesAndCommandsCarryTheSource) {
    const Document document =
        Document::parsing("@Box(a: 1,\n  b: 2) {\n  text\n}\n@note N.", file, doxygen);
    const BlockDirective box = *document.childAt(0)->as<BlockDirective>();
    EXPECT_EQ(box.range(), SourceRange({1, 1, file}, {4, 2, file}));
    EXPECT_EQ(box.nameLocation(), SourceLocation(1, 2, file));
    EXPECT_EQ(box.childAt(0)->range(), SourceRange({3, 3}, {3, 7}));
    EXPECT_EQ(document.childAt(1)->range(), SourceRange({5, 1, file}, {5, 9, file}));
    EXPECT_EQ(document.childAt(1)->childAt(0)->range(), SourceRange({5, 7}, {5, 9}));
    // On equal ends the later range wins: the description, which has no source.
    EXPECT_EQ(document.range(), SourceRange({1, 1, file}, {5, 9}));

    // Argument ranges stand in the whole text.
    std::vector<DirectiveArgument> arguments = box.argumentText().parseNameValueArguments();
    ASSERT_EQ(arguments.size(), 2u);
    EXPECT_EQ(arguments[0].valueRange, SourceRange({1, 9, file}, {1, 10, file}));
    EXPECT_EQ(arguments[1].nameRange, SourceRange({2, 3, file}, {2, 4, file}));
}

TEST(BlockDirectiveRoad, DeepNestingConvertsOnADesktopStack) {
    testing::runWithStackSize(testing::desktopStackSize, [] {
        const int depth = 100000;
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "@A {\n";
        text += std::string(20000, '>') + " x\n";
        for (int i = 0; i < depth; ++i)
            text += "}\n";
        const Document document = Document::parsing(text, std::nullopt, directives);
        EXPECT_EQ(document.range(), SourceRange({1, 1}, {2 * depth + 1, 2}));
        const RawMarkup* node = document.raw().markup.get();
        int directivesDown = 0;
        int quotesDown = 0;
        while (node->childCount() > 0) {
            node = node->child(0).get();
            directivesDown += node->kind() == RawMarkupKind::blockDirective;
            quotesDown += node->kind() == RawMarkupKind::blockQuote;
        }
        EXPECT_EQ(directivesDown, depth);
        EXPECT_EQ(quotesDown, 20000);
        EXPECT_EQ(node->parsedRange(), SourceRange({depth + 1, 20002}, {depth + 1, 20003}));
    });
}

TEST(BlockDirectiveRoad, EveryRangeLiesInTheText) {
    const std::vector<std::string> pieces = {
        "@A", "(",  ")",  "{",  "}",       "\"",        "\\",       ",",    ":",           " ",
        "\t", "\n", "\n", "\r", ">",       "- ",        "1. ",      "*",    "`",           "```",
        "| ", "|-", "x",  "#",  "\\note ", "@param x ", "\xC3\xA9", "    ", "\xE2\x80\xA8"};
    std::mt19937 random(113);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = testing::randomText(pieces, random);
        const Document document =
            Document::parsing(text, std::nullopt, round % 2 ? doxygen : directives);
        const auto lines = static_cast<std::int64_t>(
            LazySplitLines{text, std::nullopt}.makeIterator().rawLines.size());
        std::vector<const RawMarkup*> pending{document.raw().markup.get()};
        while (!pending.empty()) {
            const RawMarkup* node = pending.back();
            pending.pop_back();
            if (const auto& range = node->parsedRange()) {
                ASSERT_GE(range->lowerBound().line, 1) << text;
                ASSERT_LE(range->upperBound().line, lines) << text;
                ASSERT_LE(range->upperBound(), document.range()->upperBound()) << text;
            }
            for (const RawMarkupPtr& child : node->children())
                pending.push_back(child.get());
        }
    }
}

TEST(BlockDirectiveRoadDeathTest, ConvertsOnlyTheRoot) {
    const ParseContainer run = ParseContainer::LineRun{};
    EXPECT_DEATH((void)convertToDocument(run, "", std::nullopt, {}),
                 "Tried to convert a non-root container to a `Document`");
}

} // namespace
} // namespace markdown
