#include "Markdown/cmark/CMarkParser.hpp"
#include "tests/Markdown/cmark/CMarkTestSupport.hpp"

#include <gtest/gtest.h>
#include <tuple>

#include "Markdown/cmark/AttributeExtension.hpp"
#include "Markdown/cmark/CMarkArena.hpp"
#include "Markdown/cmark/CommonMarkConverter.hpp"
#include "Markdown/tree/RawMarkupBlocks.hpp"
#include "tests/Markdown/RawOutline.hpp"
#include "tests/Markdown/StackThread.hpp"
#include <algorithm>
#include <atomic>
#include <cmark-gfm.h>
#include <cstring>
#include <thread>
#include <utility>

namespace markdown {
namespace {
using namespace markdown::testing;

std::string firstBlock(std::string_view text, int options = CMarkParser::sourcePositions) {
    return describe(CMarkParser::parse(text, options).root().firstChild());
}

TEST(CMarkParser, AttachesExtensionsParsesInPiecesAndHandsOutNodesAndAnIterator) {
    EXPECT_EQ(firstBlock("| a |\n|---|", 0), R"(table(table_header(table_cell(text"a"))))");
    EXPECT_EQ(firstBlock("^[a](k)", 0), R"(paragraph(attribute[k](text"a")))");
    EXPECT_EQ(firstBlock("a[^1]\n\n[^1]: b", 0), R"(paragraph(text"a" link(text"^1")))");
    EXPECT_EQ(firstBlock("\"Hi\" -- it's", CMarkParser::smartPunctuation),
              "paragraph(text\"\u201cHi\u201d \u2013 it\u2019s\")");
    EXPECT_EQ(
        firstBlock("\"Hi\" -- it's", CMarkParser::sourcePositions | CMarkParser::tableCellSpans),
        R"(paragraph(text""Hi" -- it's"))");

    CMarkParser parser(CMarkParser::sourcePositions);
    EXPECT_TRUE(parser.attachExtension("strikethrough"));
    EXPECT_FALSE(parser.attachExtension("footnotes"));
    parser.feed("a ~~b");
    parser.feed("~~\n\nc");
    EXPECT_EQ(describeChildren(parser.finish().root()),
              R"(paragraph(text"a " strikethrough(text"b")) paragraph(text"c"))");
    parser.feed("~~d~~");
    EXPECT_EQ(describeChildren(parser.finish().root()), R"(paragraph(strikethrough(text"d")))");

    const CMarkDocument document =
        CMarkParser::parse("# Title *b*\n", CMarkParser::sourcePositions);
    const CMarkNode heading = document.root().firstChild();
    EXPECT_EQ(std::tuple(heading.position(), heading.listType(), heading.isTaskChecked(),
                         heading.attributes()),
              std::tuple(CMarkPosition{1, 1, 1, 11}, CMarkListType::none, false, std::nullopt));

    // An iterator enters leaves once and containers twice, then is done.
    CMarkIterator iterator(document.root());
    EXPECT_EQ(iterator.event(), CMarkEvent::none);
    EXPECT_FALSE(iterator.node());
    std::string steps;
    while (iterator.next() != CMarkEvent::done)
        steps += (iterator.event() == CMarkEvent::enter ? " +" : " -") +
                 std::string(iterator.node().typeString());
    EXPECT_EQ(steps, " +document +heading +text +emph +text -emph -heading -document");
    EXPECT_FALSE(iterator.node());
    EXPECT_EQ(iterator.next(), CMarkEvent::done);
    EXPECT_EQ(CMarkIterator(CMarkNode()).next(), CMarkEvent::done);
}

TEST(CMarkParser, ParsesStrikethroughOnManyThreadsAtOnce) {
    std::atomic<int> wrong = 0;
    std::vector<std::jthread> workers;
    for (int t = 0; t < 12; ++t) {
        workers.emplace_back([&wrong, t] {
            // Half the threads parse without the extensions, so the special characters of one
            // parse are not the same as those of the next.
            const bool plain = t % 2 == 1;
            for (int i = 0; i < 150; ++i) {
                CMarkParser parser(CMarkParser::sourcePositions);
                if (!plain) {
                    parser.attachExtension("strikethrough");
                    parser.attachExtension("attribute");
                }
                parser.feed("a ~~b~~ c ^[d](e) ~~f~~ `g`");
                const CMarkDocument document = parser.finish();
                const std::size_t expected = plain ? 0 : 2;
                if (nodesOfType(document.root(), "strikethrough").size() != expected ||
                    nodesOfType(document.root(), "attribute").size() != expected / 2 ||
                    nodesOfType(document.root(), "code").at(0).backtickCount() != 1)
                    ++wrong;
            }
        });
    }
    workers.clear();
    EXPECT_EQ(wrong, 0);
}

bool allBytesAre(const void* block, std::size_t size, unsigned char value) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    return std::all_of(bytes, bytes + size, [value](unsigned char b) { return b == value; });
}

TEST(CMarkArena, HandsOutZeroedSeparateBlocksAndReusesFreedOnes) {
    CMarkArena arena;
    ASSERT_TRUE(arena.holdsMemory());
    // Small classes, the largest one, the first size past it and blocks of their own.
    std::vector<std::size_t> sizes{1, 8, 24, 176, 400, 504, 505, 5000, 300000};
    std::vector<void*> blocks;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        blocks.push_back(arena.allocate(sizes[i], true));
        EXPECT_TRUE(allBytesAre(blocks[i], sizes[i], 0)) << sizes[i];
        std::memset(blocks[i], static_cast<int>(i + 1), sizes[i]);
    }
    // Freed blocks come back zeroed, whole or cut down for a smaller class, and overlap no other.
    for (std::size_t i = 0; i < sizes.size(); i += 2) {
        arena.release(blocks[i]);
        sizes[i] = i == 0 ? sizes[i] : sizes[i] / 3 + 1;
        blocks[i] = arena.allocate(sizes[i], true);
        EXPECT_TRUE(allBytesAre(blocks[i], sizes[i], 0)) << sizes[i];
        std::memset(blocks[i], static_cast<int>(i + 1), sizes[i]);
    }
    for (const std::size_t size : {200, 100, 50}) {
        sizes.push_back(size);
        blocks.push_back(arena.allocate(size, false));
        std::memset(blocks.back(), static_cast<int>(sizes.size()), size);
    }
    // Growing keeps the bytes, in place or into a larger block, of the arena or of the heap.
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        blocks[i] = arena.reallocate(blocks[i], sizes[i] + 100);
        EXPECT_TRUE(allBytesAre(blocks[i], sizes[i], static_cast<unsigned char>(i + 1)))
            << sizes[i];
        sizes[i] += 100;
        std::memset(blocks[i], static_cast<int>(i + 1), sizes[i]);
    }
    for (std::size_t i = 0; i < sizes.size(); ++i)
        EXPECT_TRUE(allBytesAre(blocks[i], sizes[i], static_cast<unsigned char>(i + 1)))
            << sizes[i];
    arena.release(blocks.front());
    arena.release(nullptr);
}

TEST(CMarkArena, ParsesWithTheDefaultAllocatorWhileEverySlotIsTaken) {
    std::vector<std::unique_ptr<CMarkArena>> taken;
    do
        taken.push_back(std::make_unique<CMarkArena>());
    while (taken.back()->holdsMemory());
    EXPECT_EQ(taken.back()->memory(), cmark_get_default_mem_allocator());
    const CMarkDocument document = CMarkParser::parse("a *b* `c`", 0);
    EXPECT_EQ(describeChildren(document.root()),
              R"(paragraph(text"a " emph(text"b") text" " code"c"))");
}

// A parse gives the parser's tree back while it converts it: these check that nothing in use goes
// with it (the sanitizer build reports any read of memory given back too early).
TEST(CMarkArena, ReturnsOnlyChunksWithoutBlocksInUse) {
    CMarkArena arena;
    ASSERT_TRUE(arena.holdsMemory());
    // Enough blocks for several chunks, some freed before and kept for reuse; block i holds its
    // size's bytes of i % 251.
    auto size = [](std::size_t i) { return 8 + i % 25 * 8; };
    std::vector<std::pair<std::size_t, void*>> blocks;
    for (std::size_t i = 0; i < 20000; ++i) {
        void* block = arena.allocate(size(i), false);
        std::memset(block, static_cast<int>(i % 251), size(i));
        if (i % 7 == 3)
            arena.release(block);
        else
            blocks.emplace_back(i, block);
    }
    std::vector<std::pair<std::byte*, std::size_t>> given;
    arena.returnFreedChunks([&given](std::byte* chunk, std::size_t size) {
        std::memset(chunk, 0xAB, size);
        given.emplace_back(chunk, size);
    });
    // Blocks asked for now, of every kind, live beside the old ones and go one by one.
    void* late = arena.allocate(40, true);
    void* grown = arena.reallocate(arena.allocate(16, false), 3000);
    for (std::size_t i = 0; i < blocks.size(); i += 2)
        arena.release(blocks[i].second);
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        const auto [index, block] = blocks[i];
        EXPECT_TRUE(allBytesAre(block, size(index), static_cast<unsigned char>(index % 251)));
        arena.release(block);
    }
    arena.release(late);
    arena.release(grown);
    EXPECT_GE(given.size(), 3U);
    for (const auto& given : given)
        ::operator delete(given.first);
}

TEST(RawMarkupBlocks, FillsSpareMemoryBeforeNewBlocksAndFreesWhatIsLeft) {
    constexpr std::size_t pieceSize = 16 << 10;
    std::vector<std::byte*> pieces;
    std::vector<void*> nodes;
    {
        rawMarkupBlocks::SpareMemory spare;
        for (int i = 0; i < 3; ++i) {
            pieces.push_back(static_cast<std::byte*>(::operator new(pieceSize)));
            spare.add(pieces.back(), pieceSize);
        }
        // Past what is left of the thread's current block, nodes land in a spare piece.
        const auto inAPiece = [&pieces](void* node) {
            return std::any_of(pieces.begin(), pieces.end(), [node](std::byte* piece) {
                return node >= piece && node < piece + pieceSize;
            });
        };
        do
            nodes.push_back(rawMarkupBlocks::allocate(200));
        while (!inAPiece(nodes.back()) && nodes.size() < 1000);
        EXPECT_TRUE(inAPiece(nodes.back()));
    }
    for (void* node : nodes)
        rawMarkupBlocks::release(node);
}

TEST(CommonMarkConverter, ConvertsTheSameWhetherItFreesTheTreeOrOnlyReadsIt) {
    const std::string text = "# Title *em* `code`\n\n"
                             "> - [x] a [link](/u \"T\") ![i](<>)\n"
                             ">   1. ``two`` ^[attr *x*](k=v)\n\n"
                             "| a | b |\n|:-|-:|\n| `c\\|d` | ~~e~~ |\n|  |\n\n"
                             "```swift\nlet x\n```\n\n<div>\nhi\n</div>\n\n"
                             "a  \nb \"quoted\" -- x\n***\n";
    const int bits = cmarkOptionBits({});
    const auto leave = CMarkParser::Annotations::leaveToCaller;
    const CMarkDocument read = CMarkParser::parse(text, bits, leave);
    const std::string expected = outline(convertCMarkDocument(read.root(), {}, {}));
    EXPECT_EQ(outline(convertCMarkDocument(CMarkParser::parse(text, bits, leave), {}, {})),
              expected);

    // Each level is freed on the way up, below open levels that still wait.
    const std::string deep = std::string(30000, '>') + " *x*";
    EXPECT_EQ(convertCMarkDocument(CMarkParser::parse(deep, bits, leave), {}, {})->subtreeCount(),
              30004);
}

using Spans = std::vector<std::pair<std::string, unsigned>>;

TEST(CodeSpanBackticks, CountsTheRunThatOpensEachSpan) {
    const std::tuple<std::string_view, std::string_view, Spans> cases[] = {
        {"one line", "`a` ``b`` ```c```", {{"a", 1}, {"b", 2}, {"c", 3}}},
        {"backtick inside", "`` a`b `` ``` `` ```", {{"a`b", 2}, {"``", 3}}},
        {"continuation line", "para\n   more ``x`` and `y`", {{"x", 2}, {"y", 1}}},
        {"table cell", "| h |\n|---|\n| ``a`` \\| `b` |", {{"a", 2}, {"b", 1}}},
    };
    for (const int options : {CMarkParser::sourcePositions | CMarkParser::tableCellSpans, 0}) {
        for (const auto& [where, text, expected] : cases) {
            const CMarkDocument document = CMarkParser::parse(text, options);
            Spans spans;
            for (const CMarkNode code : nodesOfType(document.root(), "code"))
                spans.emplace_back(*code.literal(), code.backtickCount());
            EXPECT_EQ(spans, expected) << where << ", options " << options;
        }
    }
}

constexpr int noteOptions =
    CMarkParser::sourcePositions | CMarkParser::smartPunctuation | CMarkParser::tableCellSpans;

TEST(AttributeExtension, TurnsCaretSpansIntoPlacedAttributeNodesNestedOnlySoDeep) {
    EXPECT_EQ(firstBlock(R"~(^[a](k: "v (w)"))~"),
              R"~(paragraph(attribute[k: "v (w)"](text"a")))~");
    EXPECT_EQ(firstBlock("^[a ^[b](i)](o)"),
              R"~(paragraph(attribute[o](text"a " attribute[i](text"b"))))~");
    // An escaped backtick opens no code span that would hide the bracket.
    EXPECT_EQ(firstBlock("^[\\`](k) `"), R"~(paragraph(attribute[k](text"`") text" `"))~");
    // Not attribute spans: the caret stays text.
    EXPECT_EQ(firstBlock("^[a]"), R"~(paragraph(text"^[a]"))~");
    EXPECT_EQ(firstBlock("^[a](f(x))"), R"~(paragraph(text"^" link(text"a")))~");

    const CMarkDocument document = CMarkParser::parse("ab ^[cd `e`](f) g\nc *d*", noteOptions);
    const CMarkNode attribute = nodesOfType(document.root(), "attribute").at(0);
    EXPECT_EQ(attribute.position(), (CMarkPosition{1, 4, 1, 15}));
    EXPECT_EQ(attribute.firstChild().position(), (CMarkPosition{1, 6, 1, 8}));
    EXPECT_EQ(nodesOfType(document.root(), "code").at(0).position(), (CMarkPosition{1, 10, 1, 10}));
    EXPECT_EQ(attribute.next().position(), (CMarkPosition{1, 16, 1, 17}));
    // The next lines stay where they stand.
    EXPECT_EQ(nodesOfType(document.root(), "emph").at(0).position(), (CMarkPosition{2, 3, 2, 5}));

    const int levels = attributeNestingLimit + 1;
    const std::string nested = repeated("^[", levels) + "x" + repeated("](k)", levels);
    EXPECT_EQ(nodesOfType(CMarkParser::parse(nested, noteOptions).root(), "attribute").size(),
              static_cast<std::size_t>(attributeNestingLimit));
    const std::string carets = repeated("^[a](^[", 10000);
    EXPECT_TRUE(nodesOfType(CMarkParser::parse(carets, noteOptions).root(), "attribute").empty());
}

// Every table's rows, the header rows first, joined by " / " and their cells by " | ": a cell
// shows its content (a lone text bare), then its spans unless they are 1x1, or "_" for neither.
std::string gridOf(std::string_view text, int options = CMarkParser::tableCellSpans) {
    const CMarkDocument document = CMarkParser::parse(text, options);
    std::string grid;
    for (const std::string_view rowType : {"table_header", "table_row"}) {
        for (const CMarkNode row : nodesOfType(document.root(), rowType)) {
            for (CMarkNode cell = row.firstChild(); cell; cell = cell.next()) {
                const CMarkNode only = cell.firstChild();
                std::string shown = only && !only.next() && only.literal()
                                        ? std::string(*only.literal())
                                        : describeChildren(cell);
                if (cell.colspan() != 1 || cell.rowspan() != 1)
                    shown += (shown.empty() ? "" : " ") + std::to_string(cell.colspan()) + 'x' +
                             std::to_string(cell.rowspan());
                grid += cell != row.firstChild() ? " | " : grid.empty() ? "" : " / ";
                grid += shown.empty() ? "_" : shown;
            }
        }
    }
    return grid;
}

TEST(TableCellSpans, EmptyCellsWidenAndCaretsLengthen) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"a cell over three columns", "| a | b | c |\n|---|---|---|\n| x |||\n",
         "a | b | c / x 3x1 | 0x1 | 0x1"},
        {"blanks make an ordinary empty cell", "| a | b |\n|---|---|\n| x |   |\n",
         "a | b / x | _"},
        {"a cell over three rows", "| h | i |\n|---|---|\n| a | b |\n| ^ | c |\n|  ^  | d |\n",
         "h | i / a 1x3 | b / 1x0 | c / 1x0 | d"},
        {"a block over two rows and two columns",
         "| h | i | j |\n|---|---|---|\n| a || b |\n| ^ || c |\n",
         "h | i | j / a 2x2 | 0x1 | b / 2x0 | 0x1 | c"},
        {"nothing left of the first cell to widen", "| h | i |\n|---|---|\n|| x |\n",
         "h | i / _ | x"},
        {"nothing above the first body row to lengthen",
         "| ^ | i |\n|---|---|\n| ^ | x |\n| ^ | y |\n", "^ | i / ^ 1x2 | x / 1x0 | y"},
        {"an escaped or longer caret is content", "| h |\n|---|\n| a |\n| \\^ |\n| ^^ |\n",
         "h / a / ^ / ^^"},
        {"a cell of more than a text", "| *a* b |\n|---|\n", "emph(text\"a\") text\" b\""},
    };
    for (const auto& [what, text, grid] : cases)
        EXPECT_EQ(gridOf(text), grid) << what;
    // Without the option bit every cell is one by one.
    EXPECT_EQ(gridOf("| h | i |\n|---|---|\n| a ||\n| ^ | b |\n", CMarkParser::sourcePositions),
              "h | i / a | _ / ^ | b");
}

} // namespace
} // namespace markdown
