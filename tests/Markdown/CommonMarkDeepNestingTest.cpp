#include "Markdown/CommonMarkConverter.hpp"
#include "Markdown/Elements.hpp"
#include "Markdown/MarkupWalker.hpp"

#include "StackThread.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace markdown {
namespace {

using testing::desktopStackSize;
using testing::runWithStackSize;

// How often each kind stands on the path of first children below the document.
std::map<RawMarkupKind, int> kindsDownTheFirstChildren(const RawMarkupPtr& document) {
    std::map<RawMarkupKind, int> counts;
    for (const RawMarkup* node = document.get(); node->childCount() > 0;) {
        node = node->child(0).get();
        ++counts[node->kind()];
    }
    return counts;
}

struct Counter : MarkupWalker {
    std::int64_t visited = 0;
    void visit(const Markup& markup) override {
        ++visited;
        MarkupWalker::visit(markup);
    }
};

std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(CommonMarkDeepNesting, ParsesWalksAndDropsDeepNotesOnADesktopStack) {
    using enum RawMarkupKind;
    const struct {
        std::string text;
        std::map<RawMarkupKind, int> path;
    } cases[] = {
        {repeated(">", 20000) + " x", {{blockQuote, 20000}, {paragraph, 1}, {text, 1}}},
        {repeated("*", 20000) + "a" + repeated("*", 20000),
         {{paragraph, 1}, {strong, 10000}, {text, 1}}},
        {repeated("*", 9999) + "a" + repeated("*", 9999),
         {{paragraph, 1}, {emphasis, 1}, {strong, 4999}, {text, 1}}},
        {repeated("- ", 10000) + "x",
         {{unorderedList, 10000}, {listItem, 10000}, {paragraph, 1}, {text, 1}}},
    };
    runWithStackSize(desktopStackSize, [&] {
        for (const auto& c : cases) {
            RawMarkupPtr raw = parseRawDocument(c.text, std::nullopt, {});
            EXPECT_EQ(kindsDownTheFirstChildren(raw), c.path) << c.text.substr(0, 4);

            const Document document = Document::parsing(c.text);
            Counter counter;
            counter.visit(document);
            EXPECT_EQ(counter.visited, raw->subtreeCount());
            EXPECT_TRUE(document.hasSameStructure(Document::fromRaw(raw)));
            // Dropping the last owner of a deep tree happens here, on this stack.
            raw.reset();
        }
    });
}

} // namespace
} // namespace markdown
