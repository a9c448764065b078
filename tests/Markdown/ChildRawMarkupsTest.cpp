#include "Markdown/ChildRawMarkups.hpp"
#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;

TEST(ChildRawMarkups, EnclosingRangeComesFromTheFirstAndLastChildOnly) {
    auto at = [](std::int64_t line) { return rawText("t", range(line, 1, line, 5)); };
    auto bare = rawText("t");
    struct Case {
        std::vector<RawMarkupPtr> children;
        std::optional<SourceRange> expected;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{at(1), bare, at(4)}, range(1, 1, 4, 5)},
        {{bare, at(2), at(4)}, std::nullopt},
        {{at(1), at(9), at(4)}, range(1, 1, 4, 5)}, // a middle child reaching further is ignored
        {{at(4), at(1)}, std::nullopt},             // out of order: refused, not fatal
    };
    for (const auto& c : cases)
        EXPECT_EQ(enclosingSourceRange(c.children), c.expected);
}

TEST(ChildRawMarkups, CollectsTheVeryRawNodesOfTheElements) {
    Document document = parsedDocument();
    std::vector<Markup> children(document.children().begin(), document.children().end());
    auto raws = rawMarkups(children);
    ASSERT_EQ(raws.size(), 2u);
    EXPECT_EQ(raws[0], document.raw().markup->child(0));
    EXPECT_EQ(raws[1], document.raw().markup->child(1));
    EXPECT_EQ(rawMarkups(children[1], children[0]), (std::vector{raws[1], raws[0]}));
}

} // namespace
} // namespace markdown
