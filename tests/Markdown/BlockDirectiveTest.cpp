#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

using namespace markdown::testing;
using Segment = DirectiveArgumentText::LineSegment;

TEST(BlockDirective, ArgumentTextBecomesOneSegmentALine) {
    struct Case {
        std::optional<std::string> text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {std::nullopt, {}},     {"", {""}},
        {"a\nb", {"a", "b"}},   {"a\n", {"a", ""}},
        {"a\r\nb", {"a", "b"}}, {"\u2028", {"", ""}},
        {"\n\r", {"", "", ""}}, {"a\u0085b\u2029c", {"a", "b", "c"}},
    };
    for (const auto& c : cases) {
        std::vector<Segment> expected;
        for (const auto& line : c.lines)
            expected.push_back({line, 0, std::nullopt});
        BlockDirective directive("Note", c.text, Paragraph());
        EXPECT_EQ(directive.argumentText().segments, expected) << c.text.value_or("(none)");
    }
}

// A directive as the parser makes it: a named place, ranged argument lines and a range.
BlockDirective parsedDirective(std::string name) {
    SourceLocation at(3, 2, URL::fileURL(std::string("/notes/a.md")));
    DirectiveArgumentText arguments(std::vector<Segment>{{"@Tip(x: 1)", 5, range(3, 6, 3, 10)}});
    return BlockDirective::fromRaw(
        rawNode(RawMarkupData::BlockDirective{std::move(name), at, arguments},
                {rawParagraph({rawText("t")}, range(4, 1, 4, 2))}, range(3, 1, 5, 2)));
}

TEST(BlockDirective, NameRangeCountsTheNamesBytes) {
    struct Case {
        std::string name;
        std::int64_t endColumn;
    };
    const Case cases[] = {{"Tip", 5}, {"\u00dcb\u00e9", 7}, {"\u2603", 5}, {"", 2}};
    for (const auto& c : cases) {
        auto nameRange = parsedDirective(c.name).nameRange();
        ASSERT_TRUE(nameRange);
        EXPECT_EQ(nameRange->lowerBound(),
                  SourceLocation(3, 2, URL::fileURL(std::string("/notes/a.md"))));
        EXPECT_EQ(nameRange->upperBound(),
                  SourceLocation(3, c.endColumn, URL::fileURL(std::string("/notes/a.md"))));
    }
}

TEST(BlockDirective, MadeAndWrittenDirectivesKnowNoPlace) {
    BlockDirective parsed = parsedDirective("Tip");
    BlockDirective made("Tip", "x: 1", *parsed.childAt(0)->as<Paragraph>());
    EXPECT_EQ(made.nameLocation(), std::nullopt);
    EXPECT_EQ(made.nameRange(), std::nullopt);
    EXPECT_EQ(made.range(), std::nullopt);

    BlockDirective renamed = parsed;
    renamed.setName("Tip");
    EXPECT_EQ(renamed.name(), "Tip");
    EXPECT_EQ(renamed.argumentText(), parsed.argumentText());
    BlockDirective reargued = parsed;
    reargued.setArgumentText(DirectiveArgumentText("y: 2"));
    EXPECT_EQ(reargued.name(), "Tip");
    EXPECT_EQ(reargued.argumentText().segments.at(0).untrimmedText, "y: 2");
    for (const BlockDirective& written : {renamed, reargued}) {
        EXPECT_EQ(written.nameLocation(), std::nullopt);
        EXPECT_EQ(written.nameRange(), std::nullopt);
        EXPECT_EQ(written.range(), std::nullopt);
        EXPECT_EQ(written.childAt(0)->raw().markup, parsed.childAt(0)->raw().markup);
        EXPECT_NE(written.raw().metadata.id.rootId, parsed.raw().metadata.id.rootId);
    }
    EXPECT_TRUE(parsed.nameLocation());
}

} // namespace
} // namespace markdown
