// A parse gives the parser's tree back while it converts it: these check that nothing in use goes
// with it (the sanitizer build reports any read of memory given back too early).
#include "Markdown/cmark/CMarkArena.hpp"
#include "Markdown/cmark/CMarkParser.hpp"
#include "Markdown/cmark/CommonMarkConverter.hpp"
#include "Markdown/tree/RawMarkupBlocks.hpp"
#include "tests/Markdown/RawOutline.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace markdown {
namespace {

TEST(CMarkArena, ReturnsOnlyChunksWithoutBlocksInUse) {
    CMarkArena arena;
    ASSERT_TRUE(arena.holdsMemory());
    // Enough blocks for several chunks, some freed before and kept for reuse.
    struct Filled {
        unsigned char* block;
        std::size_t size;
        unsigned char value;
    };
    std::vector<Filled> blocks;
    for (std::size_t i = 0; i < 20000; ++i) {
        const Filled filled{static_cast<unsigned char*>(arena.allocate(8 + i % 25 * 8, false)),
                            8 + i % 25 * 8, static_cast<unsigned char>(i % 251)};
        std::memset(filled.block, filled.value, filled.size);
        if (i % 7 == 3)
            arena.release(filled.block);
        else
            blocks.push_back(filled);
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
        arena.release(blocks[i].block);
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        const auto [block, size, value] = blocks[i];
        EXPECT_TRUE(block[0] == value && block[size - 1] == value) << i;
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
    const std::string expected = testing::outline(convertCMarkDocument(read.root(), {}, {}));
    EXPECT_EQ(testing::outline(convertCMarkDocument(CMarkParser::parse(text, bits, leave), {}, {})),
              expected);
    EXPECT_NE(expected.find("tableCell"), std::string::npos);

    // Each level is freed on the way up, below open levels that still wait.
    const std::string deep = std::string(30000, '>') + " *x*";
    EXPECT_EQ(convertCMarkDocument(CMarkParser::parse(deep, bits, leave), {}, {})->subtreeCount(),
              30004);
    EXPECT_NE(expected.find("inlineAttributes"), std::string::npos);
}

} // namespace
} // namespace markdown
