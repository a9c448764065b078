#include "Markdown/CMarkParser.hpp"
#include "Markdown/CMarkExtensions.hpp"
#include "tests/Markdown/CMarkTestSupport.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cmark-gfm.h>
#include <thread>

namespace markdown {
namespace {

using testing::describe;
using testing::describeChildren;
using testing::nodesOfType;

TEST(CMarkParser, SmartPunctuationFollowsItsBit) {
    const struct {
        int options;
        std::string_view paragraph;
    } cases[] = {
        {CMarkParser::smartPunctuation, "text\"\u201cHi\u201d \u2013 it\u2019s\""},
        {0, R"(text""Hi" -- it's")"},
        {CMarkParser::sourcePositions | CMarkParser::tableCellSpans, R"(text""Hi" -- it's")"},
    };
    for (const auto& c : cases) {
        const CMarkDocument document = CMarkParser::parse("\"Hi\" -- it's", c.options);
        EXPECT_EQ(describeChildren(document.root().firstChild()), c.paragraph) << c.options;
    }
}

TEST(CMarkParser, AttachesTheNoteExtensionsAndNoOthers) {
    const struct {
        std::string_view text;
        std::string_view firstBlock;
    } cases[] = {
        {"| a |\n|---|", R"(table(table_header(table_cell(text"a"))))"},
        {"^[a](k)", R"(paragraph(attribute[k](text"a")))"},
        // "autolink" stays off, and footnote syntax means what it means in CommonMark.
        {"www.example.com", R"(paragraph(text"www.example.com"))"},
        {"a[^1]\n\n[^1]: b", R"(paragraph(text"a" link(text"^1")))"},
    };
    for (const auto& c : cases) {
        const CMarkDocument document = CMarkParser::parse(c.text, 0);
        EXPECT_EQ(describe(document.root().firstChild()), c.firstBlock) << c.text;
    }
}

TEST(CMarkParser, AttachesExtensionsByName) {
    CMarkParser parser(CMarkParser::sourcePositions);
    EXPECT_TRUE(parser.attachExtension("autolink"));
    EXPECT_FALSE(parser.attachExtension("footnotes"));
    EXPECT_FALSE(parser.attachExtension(""));
    EXPECT_EQ(parser.options(), CMarkParser::sourcePositions);
    parser.feed("see www.example.com");
    const CMarkDocument document = parser.finish();
    EXPECT_EQ(nodesOfType(document.root(), "link").size(), 1u);
}

TEST(CMarkParser, TakesTextInPiecesAndParsesAgainAfterFinishing) {
    CMarkParser parser(0);
    parser.attachExtension("strikethrough");
    parser.feed("a ~~b");
    parser.feed("~~\n\nc");
    const CMarkDocument first = parser.finish();
    EXPECT_EQ(describeChildren(first.root()),
              R"(paragraph(text"a " strikethrough(text"b")) paragraph(text"c"))");
    parser.feed("~~d~~");
    const CMarkDocument second = parser.finish();
    EXPECT_EQ(describeChildren(second.root()), R"(paragraph(strikethrough(text"d")))");
}

TEST(CMarkNode, ReadsWhatTheConversionNeeds) {
    const CMarkDocument document = CMarkParser::parse("# Title\n"
                                                      "\n"
                                                      "- [x] done\n"
                                                      "\n"
                                                      "```swift  extra\n"
                                                      "code\n"
                                                      "```\n"
                                                      "\n"
                                                      "[e]()\n"
                                                      "\n"
                                                      "| l | c | r | n |\n"
                                                      "|:--|:-:|--:|---|\n",
                                                      CMarkParser::sourcePositions);
    const CMarkNode heading = nodesOfType(document.root(), "heading").at(0);
    EXPECT_EQ(heading.headingLevel(), 1);
    EXPECT_EQ(heading.position(), (CMarkPosition{1, 1, 1, 7}));
    EXPECT_TRUE(nodesOfType(document.root(), "tasklist").at(0).isTaskChecked());
    EXPECT_EQ(nodesOfType(document.root(), "code_block").at(0).fenceInfo(), "swift  extra");
    EXPECT_EQ(nodesOfType(document.root(), "link").at(0).url(), "");
    const CMarkNode table = nodesOfType(document.root(), "table").at(0);
    EXPECT_EQ(table.tableColumns(), 4);
    const std::vector<std::uint8_t> alignments(table.tableAlignments().begin(),
                                               table.tableAlignments().end());
    EXPECT_EQ(alignments, (std::vector<std::uint8_t>{'l', 'c', 'r', 0}));

    // Fields of other kinds read as none.
    EXPECT_EQ(heading.listType(), CMarkListType::none);
    EXPECT_FALSE(heading.isTaskChecked());
    EXPECT_EQ(heading.fenceInfo(), std::nullopt);
    EXPECT_EQ(heading.literal(), std::nullopt);
    EXPECT_EQ(heading.url(), std::nullopt);
    EXPECT_EQ(heading.tableColumns(), 0);
    EXPECT_TRUE(heading.tableAlignments().empty());
    EXPECT_EQ(heading.attributes(), std::nullopt);
}

TEST(CMarkNode, TheEmptyNodeReadsAsNone) {
    const CMarkNode none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none.typeString(), "NONE");
    EXPECT_EQ(none.position(), CMarkPosition{});
    EXPECT_EQ(none.literal(), std::nullopt);
    EXPECT_EQ(none.backtickCount(), 0u);
    EXPECT_EQ(none.colspan(), 1u);
    EXPECT_FALSE(none.parent());
    EXPECT_FALSE(none.firstChild());
}

TEST(CMarkIterator, EntersLeavesOnceAndContainersTwiceThenIsDone) {
    const CMarkDocument document = CMarkParser::parse("a *b*", 0);
    CMarkIterator iterator(document.root());
    EXPECT_EQ(iterator.event(), CMarkEvent::none);
    EXPECT_FALSE(iterator.node());
    std::vector<std::string> steps;
    while (iterator.next() != CMarkEvent::done) {
        steps.push_back((iterator.event() == CMarkEvent::enter ? "+" : "-") +
                        std::string(iterator.node().typeString()));
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"+document", "+paragraph", "+text", "+emph", "+text",
                                               "-emph", "-paragraph", "-document"}));
    EXPECT_FALSE(iterator.node());
    EXPECT_EQ(iterator.next(), CMarkEvent::done);
    EXPECT_EQ(CMarkIterator(CMarkNode()).next(), CMarkEvent::done);
}

TEST(CMarkParser, ParsesStrikethroughOnManyThreadsAtOnce) {
    constexpr int threads = 12;
    constexpr int parsesPerThread = 150;
    std::atomic<int> wrong = 0;
    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&wrong, t] {
            // Half the threads parse without the extensions, so the special characters of one
            // parse are not the same as those of the next.
            const bool plain = t % 2 == 1;
            for (int i = 0; i < parsesPerThread; ++i) {
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

TEST(CMarkExtensionsDeathTest, StopsWhenTheLoadedLibraryIsAnotherRelease) {
    requireCMarkVersion(cmark_version());
    EXPECT_DEATH(requireCMarkVersion((0 << 24) | (29 << 16) | (0 << 8) | 5),
                 "cmark-gfm 0.29.0.gfm.5 is loaded, but the program was built with 0.29.0.gfm.6");
}

} // namespace
} // namespace markdown
