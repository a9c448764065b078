
#include "tests/Markdown/ElementBuilders.hpp"

#include "Markdown/format/MarkupFormatter.hpp"
#include "Markdown/format/SoftBreakDeleter.hpp"
#include <gtest/gtest.h>

namespace markdown {
namespace {
using namespace markdown::testing;
using K = RawMarkupKind;

// Names the entry an element lands in; kinds without their own entry here take the default.
struct EntryNames final : MarkupVisitor<std::string> {
    std::string defaultVisit(const Markup&) override { return "default"; }
    std::string visitDocument(const Document&) override { return "Document"; }
    std::string visitTableRow(const Table::Row&) override { return "TableRow"; }
    std::string visitTableCell(const Table::Cell&) override { return "TableCell"; }
    std::string visitDoxygenParameter(const DoxygenParameter&) override { return "Parameter"; }
};

TEST(MarkupVisitor, EachElementLandsInItsOwnEntry) {
    Table::Cell cell(Text("c"));
    const std::pair<Markup, const char*> cases[] = {
        {Document(), "Document"},   {Table::Row(cell), "TableRow"},
        {cell, "TableCell"},        {DoxygenParameter("p"), "Parameter"},
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

TEST(MarkupWalker, VisitsInPreOrderAndAnEntryThatDoesNotDescendSkipsTheChildren) {
    Recorder recorder;
    recorder.visit(Document(Paragraph(Text("a"), Emphasis(Text("b"))), BlockQuote(ThematicBreak()),
                            Heading(1, Text("c"))));
    EXPECT_EQ(recorder.reached,
              (std::vector{K::document, K::paragraph, K::text, K::emphasis, K::text, K::blockQuote,
                           K::thematicBreak, K::heading, K::text}));

    struct SkipParagraphs : Recorder {
        std::vector<std::string> texts;
        void visitParagraph(const Paragraph&) override {}
        void visitText(const Text& text) override { texts.push_back(text.string()); }
    } walker;
    walker.visit(Document(Paragraph(Text("skipped")), Heading(1, Text("kept"))));
    EXPECT_EQ(walker.texts, std::vector<std::string>{"kept"});
    EXPECT_EQ(walker.reached, (std::vector{K::document, K::paragraph, K::heading, K::text}));
}

struct DropSoftBreaks : MarkupRewriter {
    std::optional<Markup> visitSoftBreak(const SoftBreak&) override { return std::nullopt; }
};

TEST(MarkupRewriter, RebuildsInANewTreeWhatNoEntryChangesAndSoftBreaksBecomeSpaces) {
    Document breaks(Paragraph(Text("a"), SoftBreak(), Text("b")));
    auto dropped = DropSoftBreaks().visit(breaks);
    ASSERT_TRUE(dropped);
    EXPECT_TRUE(dropped->hasSameStructure(Document(Paragraph(Text("a"), Text("b")))));
    EXPECT_EQ(breaks.childAt(0)->childCount(), 3); // the input is unchanged

    Document document = parsedDocument();
    auto rewritten = MarkupRewriter().visit(document);
    ASSERT_TRUE(rewritten);
    EXPECT_TRUE(rewritten->hasSameStructure(document));
    EXPECT_FALSE(rewritten->isIdentical(document));
    EXPECT_FALSE(rewritten->parent());
    EXPECT_EQ(rangesIn(*rewritten), rangesIn(document));
    EXPECT_NE(rewritten->childAt(1)->raw().markup, document.childAt(1)->raw().markup);

    // Soft breaks become spaces in a new tree; hard breaks stay.
    Document spaced = Document::parsing("a  \nb\nc");
    Paragraph paragraph = *spaced.childAt(0)->as<Paragraph>();
    std::optional<Paragraph> respaced = withoutSoftBreaks(paragraph);
    ASSERT_TRUE(respaced.has_value());
    EXPECT_EQ(respaced->childCount(), 5);
    EXPECT_EQ(respaced->childAt(3)->range(), std::nullopt);
    EXPECT_EQ(respaced->range(), paragraph.range());
    EXPECT_EQ(respaced->childAt(3)->as<Text>()->string(), " ");
    // Every node is rebuilt, with its own range.
    EXPECT_NE(respaced->childAt(4)->raw().markup, paragraph.childAt(4)->raw().markup);
    EXPECT_EQ(respaced->childAt(4)->range(), paragraph.childAt(4)->range());

    // The rewritten paragraph stands in a rebuilt document of a new tree.
    EXPECT_EQ(respaced->parent()->kind(), K::document);
    EXPECT_NE(respaced->raw().metadata.id.rootId, paragraph.raw().metadata.id.rootId);

    // Only a soft break itself gives none; anything else is copied into a new tree.
    Text text = Text::fromRaw(rawText("x", range(1, 1, 1, 2)));
    std::optional<Text> same = withoutSoftBreaks(text);
    ASSERT_TRUE(same.has_value());
    EXPECT_EQ(same->string(), "x");
    EXPECT_EQ(same->range(), range(1, 1, 1, 2));
    EXPECT_FALSE(same->isIdentical(text));
    EXPECT_EQ(withoutSoftBreaks(SoftBreak()), std::nullopt);
}

using Options = MarkupFormatter::Options;

Options withLineLimit() {
    return Options{Options::PreferredLineLimit{Options::LineSplittingElement::softBreak, 20}};
}

TEST(MarkupFormatterDeathTest, KeepsSoftBreaksOnlyWithoutALineLimitAndStopsOnWhatItCannotPrint) {
    EXPECT_EQ(format(Document::parsing("a\nb\nc"), Options{}), "a\nb\nc");
    EXPECT_EQ(format(Document::parsing("a\nb\nc"), withLineLimit()), "a b c");
    // A hard break survives either way.
    EXPECT_EQ(format(Document::parsing("a  \nb\nc"), Options{}), "a  \nb\nc");
    EXPECT_EQ(format(Document::parsing("a  \nb\nc"), withLineLimit()), "a  \nb c");
    const Paragraph breaks(Text("a"), SoftBreak(), LineBreak(), Text("b"));
    // A hard break alone on its line, or after a space, is a backslash: trailing spaces would
    // leave a blank line there, or take the space away.
    EXPECT_EQ(format(breaks, Options{}), "a\n\\\nb");
    EXPECT_EQ(format(breaks, withLineLimit()), "a \\\nb");
    // A soft break with nothing after it owes a line end that is never printed.
    EXPECT_EQ(format(SoftBreak(), Options{}), "");
    EXPECT_EQ(format(SoftBreak(), withLineLimit()), "");

    Table built(std::nullopt,
                Table::Head(Table::Cell(Text("x"), SoftBreak(), Text("y")), Table::Cell(Text("z"))),
                Table::Body(Table::Row(Table::Cell(Text("1")))));
    // The soft break goes whatever the options, and the short row is filled up.
    EXPECT_EQ(format(built, Options{}), "| x y | z |\n| --- | --- |\n| 1 |  |");
    // Each column keeps its alignment.
    EXPECT_EQ(format(Document::parsing("|a|b|c|d|\n|:--|:-:|--:|---|"), Options{}),
              "| a | b | c | d |\n| :-- | :-: | --: | --- |");

    // Table parts outside their table, and what it cannot print, stop the program.
    const std::string unit = " directly; markdown tables must be formatted as a single unit. "
                             "Call `visitTable` on the parent table";
    EXPECT_DEATH((void)format(built.head(), {}), "Do not call visitTableHead" + unit);
    EXPECT_DEATH((void)format(*built.body().rows().begin(), {}),
                 "Do not call visitTableRow" + unit);
    EXPECT_DEATH((void)format(CustomBlock(Paragraph(Text("a"))), {}),
                 "not implemented for CustomBlock");
    EXPECT_DEATH((void)format(Document(Paragraph(Text("a"), CustomInline("b"))), {}),
                 "not implemented for CustomInline");
}

} // namespace
} // namespace markdown
