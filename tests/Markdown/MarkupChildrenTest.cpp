#include "Markdown/Elements.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using namespace markdown::testing;

struct Position {
    std::int64_t childId;
    std::int64_t indexInParent;
    friend bool operator==(const Position&, const Position&) = default;
};

template <class Children> std::vector<Position> positions(const Children& children) {
    std::vector<Position> result;
    for (const Markup& child : children)
        result.push_back({child.raw().metadata.id.childId, child.indexInParent()});
    return result;
}

// A document whose second child has children of subtree sizes 1, 3 and 2 and childId 5.
Markup fifthNode() {
    Document document(
        Paragraph(Text("a"), Text("b"), Text("c")),
        BlockQuote(ThematicBreak(), Paragraph(Text("d"), Text("e")), Paragraph(Text("f"))));
    return *document.childAt(1);
}

TEST(MarkupChildren, ForwardAndReversedIterationAgreeOnIdentifiers) {
    Markup parent = fifthNode();
    ASSERT_EQ(parent.raw().metadata.id.childId, 5);
    EXPECT_EQ(positions(parent.children()), (std::vector<Position>{{6, 0}, {7, 1}, {10, 2}}));
    EXPECT_EQ(positions(parent.children().reversed()),
              (std::vector<Position>{{10, 2}, {7, 1}, {6, 0}}));
    EXPECT_EQ(parent.childAt(1)->raw().metadata.id.childId, 7);

    std::vector<Markup> copied(parent.children().begin(), parent.children().end());
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_TRUE(copied[2].isIdentical(*parent.childAt(2)));

    auto iterator = parent.children().reversed().makeIterator();
    EXPECT_EQ(iterator.next()->kind(), RawMarkupKind::paragraph);
    EXPECT_EQ(iterator.next()->kind(), RawMarkupKind::paragraph);
    EXPECT_EQ(iterator.next()->kind(), RawMarkupKind::thematicBreak);
    EXPECT_FALSE(iterator.next());
    EXPECT_FALSE(iterator.next());
}

TEST(MarkupChildren, ALeafHasNoChildrenEitherWay) {
    Text text("not empty");
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(positions(text.children()).empty());
    EXPECT_TRUE(positions(text.children().reversed()).empty());
    auto iterator = text.children().makeIterator();
    EXPECT_FALSE(iterator.next());
    EXPECT_FALSE(BlockQuote(ThematicBreak()).isEmpty());
}

TEST(MarkupChildrenDeathTest, ANegativePositionStopsTheProgram) {
    Markup parent = fifthNode();
    EXPECT_DEATH((void)parent.childAt(-1), "");
    EXPECT_DEATH((void)parent.childThrough(0, -1), "");
    TypedChildIndexPath path{{0}, {1}};
    EXPECT_DEATH((void)path[2], "");
    EXPECT_DEATH((void)path[-1], "");
}

TEST(MarkupChildren, PathsStopAtMissingChildrenAndWrongKinds) {
    using K = RawMarkupKind;
    Markup parent = fifthNode();
    struct Case {
        TypedChildIndexPath path;
        std::optional<K> reached;
    };
    const Case cases[] = {
        {{}, K::blockQuote},
        {{{1}, {0}}, K::text},
        {{{1, K::paragraph}, {1, K::text}}, K::text},
        {{{1, K::heading}}, std::nullopt},
        {{{0, K::thematicBreak}, {0}}, std::nullopt}, // a leaf has no child 0
        {{{3}}, std::nullopt},
        {{{9}}, std::nullopt},
    };
    for (const auto& c : cases) {
        auto reached = parent.childThrough(c.path);
        EXPECT_EQ(reached ? std::optional(reached->kind()) : std::nullopt, c.reached);
    }
    EXPECT_TRUE(parent.childThrough().value().isIdentical(parent));
    EXPECT_FALSE(parent.childAt(3));
    EXPECT_EQ(parent.childThrough(std::vector{1, 1})->raw().metadata.id.childId, 9);
    EXPECT_EQ(parent.childThrough(1, 1)->raw().metadata.id.childId, 9);
}

} // namespace
} // namespace markdown
