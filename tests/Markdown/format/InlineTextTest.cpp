#include "Markdown/format/InlineText.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace markdown {
namespace {

// A watch is met by the text appended next where it opens with the watched character, as a
// join would be; markup in between ends it.
TEST(InlineText, MeetsAWatchWhereTheNextTextOpensWithItsCharacter) {
    struct Case {
        const char* name;
        std::function<void(InlineText&)> print;
        std::vector<std::size_t> met;
    };
    const InlineText::TextContext plain;
    const Case cases[] = {
        {"text opening with it", [&](InlineText& t) { t.appendText("*a", plain); }, {3}},
        {"text opening otherwise", [&](InlineText& t) { t.appendText("a*", plain); }, {}},
        {"markup first",
         [&](InlineText& t) {
             t.appendMarkup("_");
             t.appendText("*a", plain);
         },
         {}},
        {"a line end first",
         [&](InlineText& t) {
             t.appendLineEnd(false);
             t.appendText("*a", plain);
         },
         {3}},
        {"only the next text",
         [&](InlineText& t) {
             t.appendText("a", plain);
             t.appendText("*", plain);
         },
         {}},
    };
    for (const Case& c : cases) {
        InlineText text;
        text.appendMarkup("*");
        text.watchNextLiterals('*', 3);
        c.print(text);
        EXPECT_EQ(text.metWatches(), c.met) << c.name;
    }
}

// Text kept for the next run forgets the joins and watches of the last.
TEST(InlineText, ClearingForgetsJoinsAndWatches) {
    InlineText text;
    text.appendMarkup("*");
    text.joinNextLiterals('*');
    text.watchNextLiterals('*', 0);
    text.clear();
    text.appendText("*a", {});
    EXPECT_EQ(text.text(), "\\*a");
    EXPECT_TRUE(text.metWatches().empty());
}

} // namespace
} // namespace markdown
