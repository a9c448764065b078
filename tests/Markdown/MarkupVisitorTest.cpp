#include "Markdown/MarkupRewriter.hpp"
#include "Markdown/MarkupWalker.hpp"

#include "ElementBuilders.hpp"

#include "StackThread.hpp"
#include <gtest/gtest.h>

namespace markdown {
namespace {
using namespace markdown::testing;
using K = RawMarkupKind;

// Names the entry an element lands in; kinds without their own entry here take the default.
struct EntryNames final : MarkupVisitor<std::string> {
    std::string defaultVisit(const Markup&) override { return "default"; }
    std::string visitDocument(const Document&) override { return "Document"; }
    std::string visitListItem(const ListItem&) override { return "ListItem"; }
    std::string visitLink(const Link&) override { return "Link"; }
    std::string visitTableRow(const Table::Row&) override { return "TableRow"; }
    std::string visitTableCell(const Table::Cell&) override { return "TableCell"; }
    std::string visitDoxygenParameter(const DoxygenParameter&) override {
        return "DoxygenParameter";
    }
};

TEST(MarkupVisitor, EachElementLandsInItsOwnEntry) {
    Table::Cell cell(Text("c"));
    const std::pair<Markup, const char*> cases[] = {
        {Document(), "Document"},   {ListItem(std::nullopt), "ListItem"},
        {Link("d"), "Link"},        {Table::Row(cell), "TableRow"},
        {cell, "TableCell"},        {DoxygenParameter("p"), "DoxygenParameter"},
        {Table::Body(), "default"},
    };
    EntryNames names;
    for (const auto& [element, name] : cases) {
        EXPECT_EQ(element.accept(names), name);
        EXPECT_EQ(names.visit(element), name);
    }
    // A typed element goes to its entry without the dispatch on kind.
    EXPECT_EQ(Table::Cell().accept(names), "TableCell");
}

// Records every element the walk reaches, keeping the default entries.
struct Recorder : MarkupWalker {
    std::vector<K> reached;
    void visit(const Markup& markup) override {
        reached.push_back(markup.kind());
        MarkupWalker::visit(markup);
    }
};

TEST(MarkupWalker, VisitsEveryElementInPreOrder) {
    Recorder recorder;
    recorder.visit(Document(Paragraph(Text("a"), Emphasis(Text("b"))), BlockQuote(ThematicBreak()),
                            Heading(1, Text("c"))));
    EXPECT_EQ(recorder.reached,
              (std::vector{K::document, K::paragraph, K::text, K::emphasis, K::text, K::blockQuote,
                           K::thematicBreak, K::heading, K::text}));
}

TEST(MarkupWalker, AnEntryThatDoesNotDescendSkipsTheChildren) {
    struct SkipParagraphs : Recorder {
        std::vector<std::string> texts;
        void visitParagraph(const Paragraph&) override {}
        void visitText(const Text& text) override {
            texts.push_back(text.raw().markup->data().getIf<RawMarkupData::Text>()->string);
        }
    } walker;
    walker.visit(Document(Paragraph(Text("skipped")), Heading(1, Text("kept"))));
    EXPECT_EQ(walker.texts, std::vector<std::string>{"kept"});
    EXPECT_EQ(walker.reached, (std::vector{K::document, K::paragraph, K::heading, K::text}));
}

struct DropSoftBreaks : MarkupRewriter {
    std::optional<Markup> visitSoftBreak(const SoftBreak&) override { return std::nullopt; }
};

TEST(MarkupRewriter, DroppingAnElementRemovesItFromItsParent) {
    Document document(Paragraph(Text("a"), SoftBreak(), Text("b")));
    auto rewritten = DropSoftBreaks().visit(document);
    ASSERT_TRUE(rewritten);
    EXPECT_TRUE(rewritten->hasSameStructure(Document(Paragraph(Text("a"), Text("b")))));
    EXPECT_EQ(document.childAt(0)->childCount(), 3); // the input is unchanged
}

TEST(MarkupRewriter, DefaultsRebuildTheSameStructureInANewTreeWithTheOldRanges) {
    Document document = parsedDocument();
    struct Defaults : MarkupRewriter {
    } rewriter;
    auto rewritten = rewriter.visit(document);
    ASSERT_TRUE(rewritten);
    EXPECT_TRUE(rewritten->is<Document>());
    EXPECT_TRUE(rewritten->hasSameStructure(document));
    EXPECT_FALSE(rewritten->isIdentical(document));
    EXPECT_FALSE(rewritten->parent());
    EXPECT_EQ(rewritten->range(), document.range());
    EXPECT_EQ(rewritten->childThrough(1, 0)->range(), document.childThrough(1, 0)->range());
    EXPECT_NE(rewritten->childAt(1)->raw().markup, document.childAt(1)->raw().markup);

    // A subtree rewritten in place keeps its position in a rebuilt copy of its tree.
    auto quote = rewriter.visit(*document.childAt(1));
    EXPECT_EQ(quote->indexInParent(), 1);
    EXPECT_TRUE(quote->root().hasSameStructure(document));
    EXPECT_NE(quote->root().raw().metadata.id.rootId, document.raw().metadata.id.rootId);
}

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
