#include "Markdown/MarkupRewriter.hpp"
#include "Markdown/MarkupWalker.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;
using K = RawMarkupKind;

// Names the entry that each kind lands in.
struct EntryNames final : MarkupVisitor<std::string> {
    std::string defaultVisit(const Markup&) override { return "default"; }
    std::string visitBlockQuote(const BlockQuote&) override { return "BlockQuote"; }
    std::string visitCodeBlock(const CodeBlock&) override { return "CodeBlock"; }
    std::string visitCustomBlock(const CustomBlock&) override { return "CustomBlock"; }
    std::string visitDocument(const Document&) override { return "Document"; }
    std::string visitHeading(const Heading&) override { return "Heading"; }
    std::string visitThematicBreak(const ThematicBreak&) override { return "ThematicBreak"; }
    std::string visitHTMLBlock(const HTMLBlock&) override { return "HTMLBlock"; }
    std::string visitListItem(const ListItem&) override { return "ListItem"; }
    std::string visitOrderedList(const OrderedList&) override { return "OrderedList"; }
    std::string visitUnorderedList(const UnorderedList&) override { return "UnorderedList"; }
    std::string visitParagraph(const Paragraph&) override { return "Paragraph"; }
    std::string visitBlockDirective(const BlockDirective&) override { return "BlockDirective"; }
    std::string visitInlineCode(const InlineCode&) override { return "InlineCode"; }
    std::string visitCustomInline(const CustomInline&) override { return "CustomInline"; }
    std::string visitEmphasis(const Emphasis&) override { return "Emphasis"; }
    std::string visitImage(const Image&) override { return "Image"; }
    std::string visitInlineHTML(const InlineHTML&) override { return "InlineHTML"; }
    std::string visitLineBreak(const LineBreak&) override { return "LineBreak"; }
    std::string visitLink(const Link&) override { return "Link"; }
    std::string visitSoftBreak(const SoftBreak&) override { return "SoftBreak"; }
    std::string visitStrong(const Strong&) override { return "Strong"; }
    std::string visitText(const Text&) override { return "Text"; }
    std::string visitStrikethrough(const Strikethrough&) override { return "Strikethrough"; }
    std::string visitTable(const Table&) override { return "Table"; }
    std::string visitTableHead(const Table::Head&) override { return "TableHead"; }
    std::string visitTableBody(const Table::Body&) override { return "TableBody"; }
    std::string visitTableRow(const Table::Row&) override { return "TableRow"; }
    std::string visitTableCell(const Table::Cell&) override { return "TableCell"; }
    std::string visitSymbolLink(const SymbolLink&) override { return "SymbolLink"; }
    std::string visitInlineAttributes(const InlineAttributes&) override {
        return "InlineAttributes";
    }
    std::string visitDoxygenDiscussion(const DoxygenDiscussion&) override {
        return "DoxygenDiscussion";
    }
    std::string visitDoxygenNote(const DoxygenNote&) override { return "DoxygenNote"; }
    std::string visitDoxygenAbstract(const DoxygenAbstract&) override { return "DoxygenAbstract"; }
    std::string visitDoxygenParameter(const DoxygenParameter&) override {
        return "DoxygenParameter";
    }
    std::string visitDoxygenReturns(const DoxygenReturns&) override { return "DoxygenReturns"; }
};

TEST(MarkupVisitor, EachElementLandsInItsOwnEntry) {
    Table::Cell cell(Text("c"));
    const std::pair<Markup, const char*> cases[] = {
        {BlockQuote(), "BlockQuote"},
        {CodeBlock("c", "x"), "CodeBlock"},
        {CustomBlock(), "CustomBlock"},
        {Document(), "Document"},
        {Heading(1), "Heading"},
        {ThematicBreak(), "ThematicBreak"},
        {HTMLBlock("<p>"), "HTMLBlock"},
        {ListItem(std::nullopt), "ListItem"},
        {OrderedList(), "OrderedList"},
        {UnorderedList(), "UnorderedList"},
        {Paragraph(), "Paragraph"},
        {BlockDirective("d"), "BlockDirective"},
        {InlineCode("c"), "InlineCode"},
        {CustomInline("c"), "CustomInline"},
        {Emphasis(), "Emphasis"},
        {Image("s", std::nullopt), "Image"},
        {InlineHTML("<b>"), "InlineHTML"},
        {LineBreak(), "LineBreak"},
        {Link("d"), "Link"},
        {SoftBreak(), "SoftBreak"},
        {Strong(), "Strong"},
        {Text("t"), "Text"},
        {Strikethrough(), "Strikethrough"},
        {Table(std::nullopt, Table::Head(cell), Table::Body()), "Table"},
        {Table::Head(cell), "TableHead"},
        {Table::Body(), "TableBody"},
        {Table::Row(cell), "TableRow"},
        {cell, "TableCell"},
        {SymbolLink("s"), "SymbolLink"},
        {InlineAttributes("a"), "InlineAttributes"},
        {DoxygenDiscussion(), "DoxygenDiscussion"},
        {DoxygenNote(), "DoxygenNote"},
        {DoxygenAbstract(), "DoxygenAbstract"},
        {DoxygenParameter("p"), "DoxygenParameter"},
        {DoxygenReturns(), "DoxygenReturns"},
    };
    static_assert(std::size(cases) == rawMarkupKindCount);
    EntryNames names;
    for (const auto& [element, name] : cases) {
        EXPECT_EQ(element.accept(names), name);
        EXPECT_EQ(names.visit(element), name);
    }
    // A typed element goes to its entry without the dispatch on kind.
    EXPECT_EQ(Table::Cell().accept(names), "TableCell");
    EXPECT_EQ(DoxygenParameter("p").accept(names), "DoxygenParameter");
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
    recorder.visit(Document(Paragraph(Text("a"))));
    EXPECT_EQ(recorder.reached, (std::vector{K::document, K::paragraph, K::text}));

    Recorder longer;
    longer.visit(Document(Paragraph(Text("a"), Emphasis(Text("b"))), BlockQuote(ThematicBreak()),
                          Heading(1, Text("c"))));
    EXPECT_EQ(longer.reached, (std::vector{K::document, K::paragraph, K::text, K::emphasis, K::text,
                                           K::blockQuote, K::thematicBreak, K::heading, K::text}));
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
