#include "Markdown/tree/UniqueIdentifier.hpp"

#include "tests/Markdown/ElementBuilders.hpp"

#include <gtest/gtest.h>
#include <iostream>
#include <ranges>
#include <thread>
#include <tuple>

namespace markdown {
namespace {
using namespace markdown::testing;

// A child's identifier and its index in the parent.
using Position = std::pair<std::int64_t, std::int64_t>;
using K = RawMarkupKind;

template <class Children> std::vector<Position> positions(const Children& children) {
    std::vector<Position> result;
    for (const Markup& child : children)
        result.push_back({childIdOf(child), child.indexInParent()});
    return result;
}

TEST(MarkupChildrenDeathTest, IterateInEveryViewWithAgreedIdentifiersAndStopOutsideThePath) {
    // The second child has children of subtree sizes 1, 3 and 2.
    const Document document(
        Paragraph(Text("a"), Text("b"), Text("c")),
        BlockQuote(ThematicBreak(), Paragraph(Text("d"), Text("e")), Paragraph(Text("f"))));
    Markup parent = *document.childAt(1);
    ASSERT_EQ(childIdOf(parent), 5);
    EXPECT_EQ(positions(parent.children()), (std::vector<Position>{{6, 0}, {7, 1}, {10, 2}}));
    EXPECT_EQ(positions(parent.children().reversed()),
              (std::vector<Position>{{10, 2}, {7, 1}, {6, 0}}));

    auto iterator = parent.children().reversed().makeIterator();
    for (auto kind : {K::paragraph, K::paragraph, K::thematicBreak})
        EXPECT_EQ(iterator.next()->kind(), kind);
    EXPECT_FALSE(iterator.next());
    EXPECT_FALSE(iterator.next());

    // Iterators outlive the element they were made from, a leaf's as well.
    for (const char* text : {"---\n", "a\n"}) {
        auto forward = Document::parsing(text).childAt(0)->children().makeIterator();
        auto backward = Document::parsing(text).childAt(0)->children().reversed().makeIterator();
        EXPECT_EQ(forward.next().has_value(), text[0] == 'a') << text;
        EXPECT_EQ(backward.next().has_value(), text[0] == 'a') << text;
        EXPECT_FALSE(forward.next());
    }

    EXPECT_EQ(parent.childThrough(TypedChildIndexPath{{1, K::paragraph}, {1, K::text}})->kind(),
              K::text);
    // A leaf has no child 0.
    EXPECT_FALSE(parent.childThrough(TypedChildIndexPath{{0, K::thematicBreak}, {0}}));
    EXPECT_TRUE(parent.childThrough().value().isIdentical(parent));
    EXPECT_FALSE(parent.childAt(3));
    EXPECT_EQ(childIdOf(*parent.childThrough(1, 1)), 9);

    // Positions outside the children or the path stop the program.
    EXPECT_DEATH((void)parent.childAt(-1), "");
    EXPECT_DEATH((void)parent.childThrough(0, -1), "");
    TypedChildIndexPath path{{0}, {1}};
    EXPECT_DEATH((void)path[2], "");
    EXPECT_DEATH((void)path[-1], "");
    Paragraph two(Text("a"), Text("b"));
    EXPECT_DEATH(two.replaceChildrenInRange(-1, 0, {Text("x")}), "");
    EXPECT_DEATH(two.replaceChildrenInRange(0, 3, {Text("x")}), "");
    EXPECT_DEATH(two.replaceChildrenInRange(2, 1, {Text("x")}), "");

    auto paragraph = *Paragraph()
                          .withUncheckedChildren(std::vector<Markup>{Text("a"), ThematicBreak()})
                          .as<Paragraph>();
    auto walk = [&] {
        for (const InlineMarkup& child : paragraph.inlineChildren())
            std::cerr << "reached " << caseName(child.kind()) << "\n";
    };
    EXPECT_DEATH(walk(), "reached text\n$");

    // Typed views yield the children as forward iteration does.
    EXPECT_EQ(positions(document.blockChildren()), positions(document.children()));
    const Paragraph abc = *document.childAt(0)->as<Paragraph>();
    EXPECT_EQ(positions(abc.inlineChildren()), positions(abc.children()));

    Markup list = UnorderedList(ListItem(std::nullopt), ListItem(Checkbox::checked));
    EXPECT_EQ(positions(list.as<ListItemContainer>()->listItems()), positions(list.children()));
}

static_assert(std::ranges::input_range<TypedChildren<BlockMarkup>>);
static_assert(std::is_constructible_v<BlockQuote, TypedChildren<BlockMarkup>>);
static_assert(sizeof(Paragraph) == sizeof(Markup) && sizeof(InlineContainer) == sizeof(Markup));

TEST(ChildEdits, ReplaceARunKeepingTheContainersRangeAndGiveItToTheAncestors) {
    const std::tuple<std::int64_t, std::int64_t, std::vector<InlineMarkup>, std::string> cases[] = {
        {1, 1, {Text("x")}, "axbc"},
        {1, 3, {}, "a"},
        {0, 3, {}, ""},
    };
    for (const auto& [from, to, children, expected] : cases) {
        Paragraph paragraph = Paragraph::fromRaw(
            rawParagraph({rawText("a"), rawText("b"), rawText("c")}, range(1, 1, 1, 4)));
        Paragraph before = paragraph;
        paragraph.replaceChildrenInRange(from, to, children);
        EXPECT_EQ(paragraph.plainText(), expected);
        EXPECT_EQ(paragraph.range(), range(1, 1, 1, 4));
        EXPECT_NE(paragraph.raw().metadata.id.rootId, before.raw().metadata.id.rootId);
        EXPECT_EQ(before.plainText(), "abc");
    }

    // Ancestors take the range of an edited container.
    Document document = parsedDocument();
    auto quote = *document.childAt(1)->as<BlockQuote>();
    quote.setBlockChildren({ThematicBreak(), HTMLBlock("<hr>")});
    EXPECT_EQ(quote.childCount(), 2);
    EXPECT_EQ(quote.range(), range(3, 1, 3, 6));
    EXPECT_EQ(quote.root().range(), range(3, 1, 3, 6));
    EXPECT_EQ(quote.root().childAt(0)->raw().markup, document.childAt(0)->raw().markup);
    EXPECT_TRUE(document.hasSameStructure(parsedDocument()));
}

std::uint64_t rootIdOf(const Markup& markup) {
    return markup.raw().metadata.id.rootId;
}

TEST(MarkupIdentity, IdentityIsTreeAndPositionNotContentAndDetachingMakesANewRoot) {
    const auto make = [] {
        return Document(Paragraph(Text("a"), Text("b")), Heading(1, Text("c")));
    };
    Document document = make();
    EXPECT_TRUE(document.childAt(1)->isIdentical(*document.childAt(1)));
    EXPECT_FALSE(document.childAt(0)->isIdentical(*document.childAt(1)));
    Document sameText = make();
    EXPECT_FALSE(document.childAt(1)->isIdentical(*sameText.childAt(1)));
    EXPECT_TRUE(document.hasSameStructure(sameText));
    EXPECT_GE(rootIdOf(sameText), rootIdOf(document) + 1);

    // Detaching makes a new root only for a child.
    EXPECT_TRUE(document.detachedFromParent().isIdentical(document));
    Markup text = *document.childThrough(0, 1);
    Markup detached = text.detachedFromParent();
    EXPECT_NE(rootIdOf(detached), rootIdOf(document));
    EXPECT_EQ(Position(childIdOf(detached), detached.indexInParent()), Position(0, 0));
    EXPECT_FALSE(detached.parent());
    EXPECT_EQ(detached.raw().markup, text.raw().markup);

    // Copies of a rebuilt element agree on their new root across threads.
    Markup edited(document.childThrough(0, 0)->data().replacingSelf(rawText("q"), false));
    std::vector<RawMarkupPtr> roots(4);
    std::vector<std::jthread> threads;
    for (auto& root : roots)
        threads.emplace_back([&root, copy = edited] { root = copy.root().raw().markup; });
    threads.clear(); // joins them
    for (const auto& root : roots)
        EXPECT_EQ(root, roots.front());
}

TEST(MarkupIdentity, RebuildingGivesTheWholePathTheNewNodesRangeUnlessAskedToKeepTheParents) {
    Document document = parsedDocument();
    Markup text = *document.childThrough(1, 0, 0); // quote, paragraph, text
    auto newText = rawText("new", range(7, 1, 7, 4));

    MarkupData taking = text.data().replacingSelf(newText, false);
    MarkupData keeping = text.data().replacingSelf(newText, true);

    // The ranges of paragraph, quote and document alike; kept, the direct parent's old range.
    const std::pair<const MarkupData*, std::optional<SourceRange>> cases[] = {
        {&taking, range(7, 1, 7, 4)},
        {&keeping, range(3, 3, 3, 6)},
    };
    for (const auto& [data, ancestors] : cases) {
        Markup rebuilt(*data);
        EXPECT_EQ(childIdOf(rebuilt), childIdOf(text));
        EXPECT_EQ(rebuilt.indexInParent(), 0);
        std::vector<RawMarkupKind> kinds;
        for (auto ancestor = rebuilt.parent(); ancestor; ancestor = ancestor->parent()) {
            kinds.push_back(ancestor->kind());
            EXPECT_EQ(ancestor->range(), ancestors);
            EXPECT_EQ(rootIdOf(*ancestor), rootIdOf(rebuilt));
        }
        EXPECT_EQ(kinds, (std::vector{K::paragraph, K::blockQuote, K::document}));
        Markup root = rebuilt.root();
        EXPECT_NE(rootIdOf(root), rootIdOf(document));
        // The untouched first paragraph is shared, not copied.
        EXPECT_EQ(root.childAt(0)->raw().markup, document.childAt(0)->raw().markup);
        EXPECT_EQ(root.childThrough(1, 0, 0)->raw().markup, data->raw.markup);
        EXPECT_EQ(root.raw().markup->subtreeCount(), document.raw().markup->subtreeCount());
    }
    // The old tree is as it was.
    EXPECT_EQ(document.childThrough(1, 0, 0)->raw().markup, text.raw().markup);
    EXPECT_EQ(document.childAt(1)->range(), range(3, 1, 3, 6));
}

TEST(MarkupIdentityDeathTest, TheFirstRootOfAProcessGetsIdentifierOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // runs the statement in a fresh process
    EXPECT_EXIT(
        {
            bool fresh = current_unique_id() == 0;
            Document first;
            std::exit(fresh && rootIdOf(first) == 1 && incrementAndGetUniqueIdentifier() == 2 ? 0
                                                                                              : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace markdown
