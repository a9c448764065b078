#include "Markdown/MarkupFormatter.hpp"
#include "Markdown/Elements.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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
        {Document::parsing("one\n\ntwo\nthree"), "one\n\ntwo\nthree", "one\n\ntwo three"},
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

} // namespace
} // namespace markdown
