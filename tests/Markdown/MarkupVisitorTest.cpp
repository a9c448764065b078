#include "Markdown/MarkupRewriter.hpp"
#include "Markdown/MarkupWalker.hpp"

#include "ElementBuilders.hpp"

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
    std::string visitSymbolLink(const SymbolLink&) override { return "SymbolLink"; }
    std::string visitTableHead(const Table::Head&) override { return "TableHead"; }
    std::string visitTableRow(const Table::Row&) override { return "TableRow"; }
    std::string visitTableCell(const Table::Cell&) override { return "TableCell"; }
    std::string visitDoxygenParameter(const DoxygenParameter&) override {
        return "DoxygenParameter";
    }
};

TEST(MarkupVisitor, EachElementLandsInItsOwnEntry) {
    Table::Cell cell(Text("c"));
    const std::pair<Markup, const char*> cases[] = {
        {Document(), "Document"},
        {ListItem(std::nullopt), "ListItem"},
        {Link("d"), "Link"},
        {SymbolLink("s"), "SymbolLink"},
        {Table::Head(cell), "TableHead"},
        {Table::Row(cell), "TableRow"},
        {cell, "TableCell"},
        {DoxygenParameter("p"), "DoxygenParameter"},
        {Table::Body(), "default"},
        {Paragraph(), "default"},
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

TEST(MarkupWalker, DescendIntoFinishesTheChildrenBeforeItReturns) {
    struct Outline : MarkupWalker {
        std::string text;
        void visitEmphasis(const Emphasis& emphasis) override {
            text += "*";
            descendInto(emphasis);
            text += "*";
        }
        void visitText(const Text&) override { text += "t"; }
    } walker;
    walker.visit(Paragraph(Text("a"), Emphasis(Text("b"), Strong(Text("c"))), Text("d")));
    EXPECT_EQ(walker.text, "t*tt*t");
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

TEST(MarkupRewriter, ElementsReturnedUnchangedAreShared) {
    struct KeepQuotes : MarkupRewriter {
        std::optional<Markup> visitBlockQuote(const BlockQuote& quote) override { return quote; }
    };
    Document document = parsedDocument();
    auto rewritten = KeepQuotes().visit(document);
    EXPECT_EQ(rewritten->childAt(1)->raw().markup, document.childAt(1)->raw().markup);
    EXPECT_NE(rewritten->childAt(0)->raw().markup, document.childAt(0)->raw().markup);
}

TEST(MarkupRewriter, ARootThatIsDroppedGivesNothing) {
    struct DropDocuments : MarkupRewriter {
        std::optional<Markup> visitDocument(const Document&) override { return std::nullopt; }
    };
    EXPECT_FALSE(DropDocuments().visit(Document(Paragraph())));
    EXPECT_TRUE(DropDocuments().visit(Paragraph()));
}

} // namespace
} // namespace markdown
