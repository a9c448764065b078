#include "Markdown/cmark/CommonMarkConverter.hpp"

#include "tests/Markdown/RawOutline.hpp"

#include "Markdown/cmark/CMarkTableState.hpp"
#include "Markdown/elements/MarkupRewriter.hpp"
#include "tests/Markdown/ElementBuilders.hpp"
#include "tests/Markdown/StackThread.hpp"
#include <cmark-gfm.h>
#include <gtest/gtest.h>
#include <tuple>

namespace markdown {
namespace {
using namespace markdown::testing;

RawMarkupPtr parse(std::string_view text, ParseOptions options = {}) {
    return parseRawDocument(text, std::nullopt, options);
}

TEST(CommonMarkConverter, RangeRuleWidensCodeSpansAndDropsUnknownOrInvertedPositions) {
    const std::tuple<const char*, CMarkPosition, unsigned, std::optional<SourceRange>> cases[] = {
        {"a block over two lines", {2, 1, 3, 4}, 0, SourceRange({2, 1}, {3, 5})},
        {"a code span in single backticks", {1, 4, 1, 7}, 1, SourceRange({1, 3}, {1, 9})},
        {"end column 0 at column 1", {1, 1, 1, 0}, 0, SourceRange({1, 1}, {1, 1})},
        {"end column 0 further right", {1, 3, 1, 0}, 0, std::nullopt},
        {"start line 0", {0, 1, 1, 4}, 0, std::nullopt},
        {"negative end column", {1, 1, 1, -1}, 0, std::nullopt},
        {"end left of start", {1, 5, 1, 2}, 0, std::nullopt},
    };
    for (const auto& [what, position, backticks, range] : cases)
        EXPECT_EQ(cmarkSourceRange(position, backticks, std::nullopt), range) << what;
    EXPECT_EQ(cmarkSourceRange({1, 2, 1, 4}, 0, noteFile),
              SourceRange({1, 2, noteFile}, {1, 5, noteFile}));
}

TEST(ParseOptions, FormASetOfBitsAndAskTheParserForCellSpansAndWhatTheyLeaveOn) {
    EXPECT_EQ(cmarkOptionBits({}), 0x100402);
    EXPECT_EQ(cmarkOptionBits(
                  {ParseOptions::disableSmartPunctuation, ParseOptions::disableSourcePositions}),
              0x100000);
    EXPECT_EQ(cmarkOptionBits(ParseOptions(~std::uint64_t{0x14})), 0x100402);

    const ParseOptions links = ParseOptions::parseSymbolLinks;
    const ParseOptions smart = ParseOptions::disableSmartOpts;
    ParseOptions both{links, smart};
    EXPECT_EQ(both.rawValue, 6u);
    EXPECT_EQ((both & links), links);
    EXPECT_TRUE(links.isDisjoint(smart));
    EXPECT_FALSE(both.isDisjoint(smart));
    both.remove(links);
    EXPECT_EQ(both, smart);
}

TEST(CommonMarkConverter, ConvertsEveryKindOfNodeWithItsRangeAndSymbolLinksOnlyWhenAsked) {
    const char* lists = "- [x] done\n- [ ] open\n";
    const char* code = "```swift\nlet x\n```\n\n    indented\n";
    // The parser gives breaks no position; its text before a hard break covers the blanks.
    const char* breaks = "a  \nb\nc\n";
    const char* spans = "`code` ``sym`` ~~gone~~ <kbd>\n";
    const char* links = "[t](/u \"T\") [e]() ![i](<>) ^[at](k=v)\n";
    // An empty cell widens its left neighbour; a caret lengthens the cell above.
    const char* table = "| a | b | c | d |\n|:--|:-:|--:|---|\n| 1 || 3 | 4 |\n| ^ | x | y | z |\n";
    // A table without a body, then one whose second cell is missing.
    const char* tables = "| a |\n|---|\n\n| b | c |\n|---|---|\n| *e* `f` [g](h) |\n";
    const char* quoted = "> | a | b |\n> |---|---|\n> | 1 | 2 |\n";
    // Child positions from the document down; an expected text ending in a line feed is the
    // node's whole outline.
    const std::tuple<const char*, std::vector<std::int64_t>, const char*> cases[] = {
        {"# Title *em*\n", {0}, "heading(level: 1) 1:1-1:13"},
        {lists, {0}, "unorderedList 1:1-2:11"},
        {lists, {0, 0}, "listItem(checkbox: checked) 1:1-1:11"},
        {lists, {0, 1}, "listItem(checkbox: unchecked) 2:1-2:11"},
        {"0) zero\n", {0}, "orderedList(startIndex: 0) 1:1-1:8"},
        {"0) zero\n", {0, 0}, "listItem(checkbox: nil) 1:1-1:8"},
        {code, {0}, "codeBlock(\"let x\\n\", language: \"swift\") 1:1-3:4"},
        {code, {1}, "codeBlock(\"indented\\n\", language: nil) 5:5-5:13"},
        {"<div>\nhi\n</div>\n", {0}, "htmlBlock(\"<div>\\nhi\\n</div>\\n\") 1:1-3:7"},
        {breaks, {0, 0}, "text(\"a\") 1:1-1:4"},
        {breaks, {0, 1}, "lineBreak"},
        {breaks, {0, 3}, "softBreak"},
        {"*a **b** c*\n", {0, 0, 1}, "strong 1:4-1:9"},
        {spans, {0, 4}, "strikethrough 1:16-1:24"},
        {spans, {0, 6}, "inlineHTML(\"<kbd>\") 1:25-1:30"},
        {links, {0, 0}, "link(destination: \"/u\", title: \"T\") 1:1-1:12"},
        {links, {0, 2}, "link(destination: nil, title: nil) 1:13-1:18"},
        {links, {0, 4}, "image(source: nil, title: nil) 1:19-1:27"},
        {links, {0, 6}, "inlineAttributes(attributes: \"k=v\") 1:28-1:38"},
        {table, {0}, "table(columnAlignments: [left, center, right, nil]) 1:1-4:18"},
        {table, {0, 0}, "tableHead 1:1-1:18"},
        // The body runs from its first row to the table's end.
        {table, {0, 1}, "tableBody 3:1-4:18"},
        {table, {0, 1, 0}, "tableRow 3:1-3:15"},
        {table, {0, 1, 0, 0}, "tableCell(colspan: 2, rowspan: 2) 3:2-3:5\n  text(\"1\") 3:3-3:4\n"},
        {table, {0, 1, 0, 1}, "tableCell(colspan: 0, rowspan: 1) 3:6\n"},
        {table, {0, 1, 1, 0}, "tableCell(colspan: 1, rowspan: 0) 4:2-4:5\n"},
        {tables, {0}, "table(columnAlignments: [nil]) 1:1-2:6"},
        {tables, {0, 1}, "tableBody\n"},
        {tables, {1, 0, 0}, "tableCell(colspan: 1, rowspan: 1) 4:2-4:5"},
        {tables, {1, 1, 0, 0}, "tableCell(colspan: 1, rowspan: 1) 6:2-6:18"},
        {tables, {1, 1, 0, 1}, "tableCell(colspan: 1, rowspan: 1)\n"},
        {quoted, {0, 0}, "table(columnAlignments: [nil, nil]) 1:3-3:12"},
        {quoted, {0, 0, 1}, "tableBody 3:3-3:12"},
    };
    for (const auto& [text, path, line] : cases) {
        RawMarkupPtr node = parse(text);
        for (std::int64_t position : path)
            node = node->child(position);
        EXPECT_EQ(std::string_view(line).ends_with('\n') ? outline(node) : outlineLine(node), line)
            << text;
    }
    // The cell's inline content is all there.
    EXPECT_EQ(parse(tables)->child(1)->child(1)->child(0)->child(0)->childCount(), 5);

    const RawMarkupPtr paragraph =
        parse("`one` ``two`` ```three```", ParseOptions::parseSymbolLinks)->child(0);
    EXPECT_EQ(outline(paragraph->child(0)), "inlineCode(\"one\") 1:1-1:6\n");
    EXPECT_EQ(outline(paragraph->child(2)), "symbolLink(destination: \"two\") 1:7-1:14\n");
    EXPECT_EQ(outline(paragraph->child(4)), "symbolLink(destination: \"three\") 1:15-1:26\n");
}

// A document of a paragraph around `inlineNode`, inside a custom block when asked.
CMarkDocument handBuilt(cmark_node* inlineNode, bool custom) {
    CMarkDocument document(cmark_node_new(CMARK_NODE_DOCUMENT));
    cmark_node* paragraph = cmark_node_new(CMARK_NODE_PARAGRAPH);
    cmark_node* block = custom ? cmark_node_new(CMARK_NODE_CUSTOM_BLOCK) : paragraph;
    EXPECT_TRUE(cmark_node_append_child(document.root().raw(), block));
    EXPECT_TRUE(!custom || cmark_node_append_child(block, paragraph));
    EXPECT_TRUE(cmark_node_append_child(paragraph, inlineNode));
    return document;
}

TEST(FatalReport, NamesTheFileWhereOneIsGivenAndKeepsTheMessageExact) {
    const FatalSite converter{"Markdown/CommonMarkConverter", 26};
    const std::tuple<std::string_view, std::optional<FatalSite>, std::string> cases[] = {
        {"Line runs cannot have children", std::nullopt,
         "Fatal error: Line runs cannot have children"},
        {"cmark top-level conversion didn't produce a RawMarkup.document", converter,
         "Fatal error: cmark top-level conversion didn't produce a RawMarkup.document: file "
         "Markdown/CommonMarkConverter, line 26"},
        {"", converter, "Fatal error: file Markdown/CommonMarkConverter, line 26"},
    };
    for (const auto& [message, site, expected] : cases)
        EXPECT_EQ(fatalReport(message, site), expected);
}

TEST(CommonMarkHandBuiltTreeDeathTest, ConvertsACustomBlockAndStopsOnWhatTheParserNeverMakes) {
    // Every stop of the conversion names the converter's file, with or without a message.
    const std::string file = ": file Markdown/CommonMarkConverter, line [0-9]+";
    cmark_node* text = cmark_node_new(CMARK_NODE_TEXT);
    cmark_node_set_literal(text, "inside");
    const CMarkDocument document = handBuilt(text, true);
    EXPECT_EQ(outline(convertCMarkDocument(document.root(), std::nullopt, {})),
              "document\n  customBlock\n    paragraph\n      text(\"inside\")\n");
    // The walk must start on a document.
    EXPECT_DEATH((void)convertCMarkDocument(document.root().firstChild(), std::nullopt, {}),
                 "Fatal error" + file + "\n");
    // The library keeps no text for a custom inline.
    const CMarkDocument customInline = handBuilt(cmark_node_new(CMARK_NODE_CUSTOM_INLINE), false);
    EXPECT_DEATH((void)convertCMarkDocument(customInline.root(), std::nullopt, {}),
                 "Fatal error: Expected literal content for cmark node but got null pointer" +
                     file + "\n");
    // Nor does it write another table alignment.
    EXPECT_DEATH((void)cmarkColumnAlignment(0xE9),
                 "Fatal error: Unexpected table column character for cmark table: \u00e9 "
                 "\\(0xE9\\)" +
                     file + "\n");
}

TEST(DeepNesting, NotesParseWalkRewriteEditAndDropOnADesktopStack) {
    using enum RawMarkupKind;
    const std::pair<std::string, KindCounts> cases[] = {
        {repeated(">", 20000) + " x", {{blockQuote, 20000}, {paragraph, 1}, {text, 1}}},
        {repeated("*", 20000) + "a" + repeated("*", 20000),
         {{paragraph, 1}, {strong, 10000}, {text, 1}}},
        {repeated("*", 9999) + "a" + repeated("*", 9999),
         {{paragraph, 1}, {emphasis, 1}, {strong, 4999}, {text, 1}}},
        // The parser opens at most 99 lists on one line (deeper is quadratic for it); the rest
        // of the markers stay text.
        {repeated("- ", 10000) + "x",
         {{unorderedList, 99}, {listItem, 99}, {paragraph, 1}, {text, 1}}},
    };
    runWithStackSize(desktopStackSize, [&] {
        for (const auto& [text, path] : cases) {
            RawMarkupPtr raw = parseRawDocument(text, std::nullopt, {});
            EXPECT_EQ(kindsDownTheFirstChildren(raw), path) << text.substr(0, 4);

            const Document document = Document::parsing(text);
            EXPECT_EQ(std::ssize(rangesIn(document)), raw->subtreeCount());
            EXPECT_TRUE(document.hasSameStructure(Document::fromRaw(raw)));
            std::optional<Markup> rewritten = MarkupRewriter().visit(document);
            ASSERT_TRUE(rewritten);
            EXPECT_TRUE(rewritten->hasSameStructure(document));
            // Dropping the last owner of a deep tree happens here, on this stack.
            raw.reset();
        }

        // The text under the quotes, reached and replaced by its path.
        const Document quotes = Document::parsing(cases[0].first);
        std::optional<Markup> text = quotes.childThrough(std::vector<std::int64_t>(20002, 0));
        ASSERT_TRUE(text && text->is<Text>());
        EXPECT_EQ(text->raw().metadata.id.childId, 20002);
        EXPECT_TRUE(text->root().isIdentical(quotes));
        const Document other = Document::parsing(repeated(">", 20000) + " y");
        Markup edited(text->data().replacingSelf(rawText("y"), false));
        EXPECT_TRUE(edited.root().hasSameStructure(other));
        EXPECT_FALSE(quotes.hasSameStructure(other));

        InlineMarkup inner = Emphasis();
        for (int level = 1; level < 20000; ++level)
            inner = Emphasis(inner);
        EXPECT_EQ(Paragraph(inner).plainText(), "");
    });
}

} // namespace
} // namespace markdown
