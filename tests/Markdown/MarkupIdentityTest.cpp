#include "Markdown/Elements.hpp"
#include "Markdown/UniqueIdentifier.hpp"

#include "ElementBuilders.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace markdown {
namespace {

using namespace markdown::testing;

std::int64_t childIdOf(const Markup& markup) {
    return markup.raw().metadata.id.childId;
}
std::uint64_t rootIdOf(const Markup& markup) {
    return markup.raw().metadata.id.rootId;
}

TEST(MarkupIdentityDeathTest, TheFirstRootOfAProcessGetsIdentifierOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // runs the statement in a fresh process
    EXPECT_EXIT(
        {
            bool fresh = current_unique_id() == 0;
            Document first;
            Document second;
            std::exit(fresh && rootIdOf(first) == 1 && rootIdOf(second) == 2 &&
                              current_unique_id() == 2 && incrementAndGetUniqueIdentifier() == 3
                          ? 0
                          : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(MarkupIdentity, IdentityIsTreeAndPositionNotContent) {
    Document document = paragraphAndHeading();
    EXPECT_TRUE(document.childAt(1)->isIdentical(*document.childAt(1)));
    EXPECT_FALSE(document.childAt(0)->isIdentical(*document.childAt(1)));
    Document sameText = paragraphAndHeading();
    EXPECT_FALSE(document.childAt(1)->isIdentical(*sameText.childAt(1)));
    EXPECT_TRUE(document.hasSameStructure(sameText));
    EXPECT_GE(rootIdOf(sameText), rootIdOf(document) + 1);
}

TEST(MarkupIdentity, DetachingMakesANewRootOnlyForAChild) {
    Document document = paragraphAndHeading();
    EXPECT_TRUE(document.detachedFromParent().isIdentical(document));
    Markup text = *document.childThrough(0, 1);
    Markup detached = text.detachedFromParent();
    EXPECT_NE(rootIdOf(detached), rootIdOf(document));
    EXPECT_EQ(childIdOf(detached), 0);
    EXPECT_EQ(detached.indexInParent(), 0);
    EXPECT_FALSE(detached.parent());
    EXPECT_EQ(detached.raw().markup, text.raw().markup);
}

TEST(MarkupIdentity, RebuildingGivesTheWholePathTheNewNodesRangeUnlessAskedToKeepTheParents) {
    Document document = parsedDocument();
    Markup text = *document.childThrough(1, 0, 0); // quote, paragraph, text
    auto newText = rawText("new", range(7, 1, 7, 4));

    MarkupData taking = text.data().replacingSelf(newText, false);
    MarkupData keeping = text.data().replacingSelf(newText, true);
    MarkupData bare = text.data().replacingSelf(rawText("new"), false);

    struct Case {
        const MarkupData* rebuilt;
        std::optional<SourceRange> ancestors; // paragraph, quote and document alike
    };
    const Case cases[] = {
        {&taking, range(7, 1, 7, 4)},
        {&keeping, range(3, 3, 3, 6)}, // the direct parent's old range
        {&bare, std::nullopt},
    };
    for (const auto& c : cases) {
        Markup rebuilt(*c.rebuilt);
        EXPECT_EQ(childIdOf(rebuilt), childIdOf(text));
        EXPECT_EQ(rebuilt.indexInParent(), 0);
        std::optional<Markup> ancestor = rebuilt.parent();
        std::vector<RawMarkupKind> kinds;
        for (; ancestor; ancestor = ancestor->parent()) {
            kinds.push_back(ancestor->kind());
            EXPECT_EQ(ancestor->range(), c.ancestors);
            EXPECT_EQ(rootIdOf(*ancestor), rootIdOf(rebuilt));
        }
        EXPECT_EQ(kinds, (std::vector{RawMarkupKind::paragraph, RawMarkupKind::blockQuote,
                                      RawMarkupKind::document}));
        Markup root = rebuilt.root();
        EXPECT_NE(rootIdOf(root), rootIdOf(document));
        // The untouched first paragraph is shared, not copied.
        EXPECT_EQ(root.childAt(0)->raw().markup, document.childAt(0)->raw().markup);
        EXPECT_EQ(root.childThrough(1, 0, 0)->raw().markup, c.rebuilt->raw.markup);
        EXPECT_EQ(root.raw().markup->subtreeCount(), document.raw().markup->subtreeCount());
    }
    // The old tree is as it was.
    EXPECT_EQ(document.childThrough(1, 0, 0)->raw().markup, text.raw().markup);
    EXPECT_EQ(document.childAt(1)->range(), range(3, 1, 3, 6));
}

TEST(MarkupIdentity, StackedEditsShowOnlyTheLastOneFromTheRoot) {
    Document document = paragraphAndHeading();
    MarkupData data = document.childThrough(0, 1)->data();
    for (const char* text : {"x", "y", "z"})
        data = data.replacingSelf(rawText(text), false);
    Markup root(data.root());
    EXPECT_TRUE(
        root.hasSameStructure(Document(Paragraph(Text("a"), Text("z")), Heading(1, Text("c")))));
    EXPECT_EQ(rootIdOf(root), rootIdOf(Markup(data)));
    EXPECT_TRUE(document.hasSameStructure(paragraphAndHeading()));
}

TEST(MarkupIdentity, CopiesOfARebuiltElementAgreeOnTheirRootAcrossThreads) {
    Document document = paragraphAndHeading();
    Markup edited(document.childThrough(0, 0)->data().replacingSelf(rawText("q"), false));
    std::vector<RawMarkupPtr> roots(4);
    std::vector<std::thread> threads;
    threads.reserve(roots.size());
    for (auto& root : roots)
        threads.emplace_back([&root, copy = edited] { root = copy.root().raw().markup; });
    for (auto& thread : threads)
        thread.join();
    for (const auto& root : roots)
        EXPECT_EQ(root, roots.front());
}

TEST(MarkupIdentity, UncheckedChildrenKeepTheKindAndRange) {
    Document document = parsedDocument();
    Markup quote = *document.childAt(1);
    Markup emptied = quote.withUncheckedChildren(std::vector<Markup>{});
    EXPECT_EQ(emptied.kind(), RawMarkupKind::blockQuote);
    EXPECT_EQ(emptied.childCount(), 0);
    EXPECT_EQ(emptied.range(), range(3, 1, 3, 6));
    EXPECT_EQ(emptied.parent()->range(), range(3, 1, 3, 6));

    // Nothing checks the children's kinds.
    Markup odd = quote.withUncheckedChildren(std::vector<Markup>{Text("inline"), Document()});
    EXPECT_EQ(odd.childAt(0)->kind(), RawMarkupKind::text);
    EXPECT_EQ(odd.childAt(1)->kind(), RawMarkupKind::document);
}

} // namespace
} // namespace markdown
