#include "Markdown/MarkupFormatter.hpp"
#include "Markdown/Elements.hpp"

#include <gtest/gtest.h>

#include "Markdown/SoftBreakDeleter.hpp"
#include "RawBuilders.hpp"
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace markdown {
namespace {
using Options = MarkupFormatter::Options;

Options withLineLimit() {
    return Options{Options::PreferredLineLimit{Options::LineSplittingElement::softBreak, 20}};
}

TEST(MarkupFormatter, KeepsSoftBreaksWithoutALineLimitAndMakesThemSpacesWithOne) {
    struct Case {
        Markup markup;
        std::string unlimited;
        std::string limited;
    };
    const Case cases[] = {
        {Document::parsing("a\nb\nc"), "a\nb\nc", "a b c"},
        // A hard break survives either way.
        {Document::parsing("a  \nb\nc"), "a  \nb\nc", "a  \nb c"},
        {Paragraph(Text("a"), SoftBreak(), LineBreak(), Text("b")), "a\n  \nb", "a   \nb"},
        // A soft break with nothing after it owes a line end that is never printed.
        {SoftBreak(), "", ""},
    };
    for (const auto& [markup, unlimited, limited] : cases) {
        EXPECT_EQ(format(markup, Options{}), unlimited);
        EXPECT_EQ(format(markup, withLineLimit()), limited);
    }
}

TEST(MarkupFormatter, PrintsATableCellWithASoftBreakOnOneLine) {
    Table built(std::nullopt,
                Table::Head(Table::Cell(Text("x"), SoftBreak(), Text("y")), Table::Cell(Text("z"))),
                Table::Body(Table::Row(Table::Cell(Text("1")))));
    // The soft break goes whatever the options, and the short row is filled up.
    EXPECT_EQ(format(built, Options{}), "| x y | z |\n| --- | --- |\n| 1 |  |");

    Document parsed = Document::parsing("p\n\n| a | b |\n|:-|-:|\n| c | d |\n\nq");
    EXPECT_EQ(format(parsed, Options{}), "p\n\n| a | b |\n| :-- | --: |\n| c | d |\n\nq");
}

TEST(MarkupFormatterDeathTest, StopsOnTablePartsOutsideTheirTable) {
    Document parsed = Document::parsing("| a |\n|---|\n| b |");
    Table table = *parsed.childAt(0)->as<Table>();
    Table::Row row = *table.body().rows().begin();
    const std::pair<Markup, std::string> cases[] = {
        {table.head(), "visitTableHead"},
        {row, "visitTableRow"},
    };
    for (const auto& [part, method] : cases)
        EXPECT_DEATH((void)format(part, Options{}),
                     "Do not call " + method +
                         " directly; markdown tables must be formatted as a single unit. Call "
                         "`visitTable` on the parent table");
}

TEST(MarkupFormatterDeathTest, StopsOnElementsItCannotPrint) {
    EXPECT_DEATH((void)format(CustomBlock(Paragraph(Text("a"))), Options{}),
                 "Formatter not implemented for CustomBlock");
    EXPECT_DEATH((void)format(Document::parsing("# Title"), Options{}),
                 "Formatter not implemented for Heading");
}

using namespace markdown::testing;

std::vector<RawMarkupKind> childKinds(const Markup& markup) {
    std::vector<RawMarkupKind> kinds;
    for (const Markup& child : markup.children())
        kinds.push_back(child.kind());
    return kinds;
}

void forEachNode(const Markup& markup, const std::function<void(const Markup&)>& f) {
    f(markup);
    for (const Markup& child : markup.children())
        forEachNode(child, f);
}

TEST(SoftBreakDeleter, TurnsEachSoftBreakIntoASpaceInANewTreeAndKeepsHardBreaks) {
    Document document = Document::parsing("a  \nb\nc");
    Paragraph paragraph = *document.childAt(0)->as<Paragraph>();
    using K = RawMarkupKind;
    ASSERT_EQ(childKinds(paragraph),
              (std::vector{K::text, K::lineBreak, K::text, K::softBreak, K::text}));

    std::optional<Paragraph> rewritten = withoutSoftBreaks(paragraph);
    ASSERT_TRUE(rewritten.has_value());
    EXPECT_EQ(childKinds(*rewritten),
              (std::vector{K::text, K::lineBreak, K::text, K::text, K::text}));
    Text space = *rewritten->childAt(3)->as<Text>();
    EXPECT_EQ(space.string(), " ");
    EXPECT_EQ(space.range(), std::nullopt);
    EXPECT_EQ(rewritten->range(), paragraph.range());
    EXPECT_EQ(rewritten->childAt(4)->range(), paragraph.childAt(4)->range());

    // The rewritten paragraph stands in a rebuilt document of one new tree; the input is as it
    // was.
    EXPECT_EQ(rewritten->parent()->kind(), K::document);
    std::uint64_t newRoot = rewritten->raw().metadata.id.rootId;
    EXPECT_NE(newRoot, paragraph.raw().metadata.id.rootId);
    forEachNode(rewritten->root(),
                [&](const Markup& node) { EXPECT_EQ(node.raw().metadata.id.rootId, newRoot); });
    EXPECT_EQ(paragraph.childAt(3)->kind(), K::softBreak);
}

TEST(SoftBreakDeleter, GivesNoneOnlyForASoftBreak) {
    Text text = Text::fromRaw(rawText("x", range(1, 1, 1, 2)));
    std::optional<Text> same = withoutSoftBreaks(text);
    ASSERT_TRUE(same.has_value());
    EXPECT_EQ(same->string(), "x");
    EXPECT_EQ(same->range(), range(1, 1, 1, 2));
    EXPECT_FALSE(same->isIdentical(text));

    EXPECT_EQ(withoutSoftBreaks(SoftBreak()), std::nullopt);
    // An untyped element keeps the kind it holds.
    EXPECT_EQ(withoutSoftBreaks(Markup(SoftBreak())), std::nullopt);
    EXPECT_EQ(withoutSoftBreaks(Markup(text))->kind(), RawMarkupKind::text);
}

} // namespace
} // namespace markdown
