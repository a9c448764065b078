#include "Markdown/Elements.hpp"
#include "Markdown/MarkupWalker.hpp"
#include "Markdown/UniqueIdentifier.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace markdown {
namespace {

// Every range of a tree, in document order.
struct RangeCollector : MarkupWalker {
    std::vector<SourceRange> ranges;
    std::int64_t withoutRange = 0;
    void visit(const Markup& markup) override {
        if (auto range = markup.range())
            ranges.push_back(*range);
        else
            ++withoutRange;
        MarkupWalker::visit(markup);
    }
};

TEST(DocumentParsing, EveryParseMakesANewRoot) {
    const std::uint64_t before = current_unique_id();
    const Document first = Document::parsing("# One\n");
    const Document second = Document::parsing("# One\n");
    EXPECT_EQ(first.raw().metadata.id, (MarkupIdentifier{before + 1, 0}));
    EXPECT_EQ(second.raw().metadata.id, (MarkupIdentifier{before + 2, 0}));
    EXPECT_TRUE(first.hasSameStructure(second));
}

TEST(DocumentParsing, GivesEveryLocationTheSource) {
    const char* text = "# a *b*\n\n> c `d` [e](f)\n\n| g |\n|---|\n| h |\n";
    const URL note = URL::fileURL(std::string("/notes/n.md"));

    RangeCollector withSource;
    withSource.visit(Document::parsing(text, note));
    EXPECT_EQ(withSource.ranges.size(), 20u);
    EXPECT_EQ(withSource.withoutRange, 0);
    for (const auto& range : withSource.ranges) {
        EXPECT_EQ(range.start().source, note);
        EXPECT_EQ(range.end().source, note);
    }
}

} // namespace
} // namespace markdown
