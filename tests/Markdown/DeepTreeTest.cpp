#include "Markdown/MarkupRewriter.hpp"
#include "Markdown/MarkupWalker.hpp"

#include "ElementBuilders.hpp"
#include "StackThread.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;

constexpr int depth = 20000;

// A paragraph under `depth` nested block quotes, as "> > > ... text" parses.
Document nestedQuotes(const std::string& text) {
    BlockMarkup inner = Paragraph(Text(text));
    for (int level = 1; level < depth; ++level)
        inner = BlockQuote(inner);
    return Document(inner);
}

struct Counter : MarkupWalker {
    std::int64_t visited = 0;
    std::int64_t level = 0;
    std::int64_t deepest = 0;
    void visit(const Markup& markup) override {
        ++visited;
        MarkupWalker::visit(markup);
    }
    void visitBlockQuote(const BlockQuote& quote) override {
        deepest = std::max(deepest, ++level);
        descendInto(quote);
        --level;
    }
};

TEST(DeepTree, TraversalsAndEditsRunOnTheStackOfADesktopMainThread) {
    runWithStackSize(desktopStackSize, [] {
        Document document = nestedQuotes("x");
        EXPECT_EQ(document.raw().markup->subtreeCount(), depth + 2);

        Counter counter;
        counter.visit(document);
        EXPECT_EQ(counter.visited, depth + 2);
        EXPECT_EQ(counter.deepest, depth - 1);
        EXPECT_EQ(counter.level, 0);

        struct Defaults : MarkupRewriter {
        } rewriter;
        auto rewritten = rewriter.visit(document);
        ASSERT_TRUE(rewritten);
        EXPECT_TRUE(rewritten->hasSameStructure(document));
        EXPECT_FALSE(rewritten->hasSameStructure(nestedQuotes("y")));

        std::vector<std::int64_t> path(depth + 1, 0);
        auto text = document.childThrough(path);
        ASSERT_TRUE(text && text->is<Text>());
        EXPECT_EQ(text->raw().metadata.id.childId, depth + 1);
        EXPECT_TRUE(text->root().isIdentical(document));

        Markup edited(text->data().replacingSelf(rawText("y"), false));
        EXPECT_TRUE(edited.root().hasSameStructure(nestedQuotes("y")));
        EXPECT_TRUE(document.hasSameStructure(nestedQuotes("x")));
    });
}

} // namespace
} // namespace markdown
