#include "Markdown/SoftBreakDeleter.hpp"
#include "Markdown/Elements.hpp"

#include "RawBuilders.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace markdown {
namespace {

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
