#include "notes/FootnoteOrder.hpp"
#include "notes/FootnotesSection.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace notes {
namespace {

TEST(Footnotes, NumbersLabelsByFirstReference) {
    FootnoteOrder order;
    EXPECT_EQ(order.reference("x"), 1u);
    EXPECT_EQ(order.reference("1"), 2u);
    EXPECT_EQ(order.reference("x"), 1u);
    EXPECT_EQ(order.reference("X"), 3u);       // case matters
    EXPECT_EQ(order.reference("e\u0301"), 4u); // e + combining acute
    EXPECT_EQ(order.reference("\u00E9"), 4u);  // é, canonically the same label
    EXPECT_EQ(order.labels(), (std::vector<std::string>{"x", "1", "X", "e\u0301"}));
}

TEST(Footnotes, ListsReferencedBodiesWithBackLinks) {
    FootnoteDefinitions definitions;
    definitions.set("n", "Note text.");
    definitions.set("Note", "Upper.");
    definitions.set("unused", "Never shown.");
    const FootnoteBodyWriter writeBody = [](std::string_view definition) {
        return definition.empty() ? std::string() : "<p>" + std::string(definition) + "</p>\n";
    };
    std::string out = "body\n";
    writeFootnotesSection(out, {"n", "Note", "?!"}, definitions, writeBody);
    EXPECT_EQ(out, "body\n<section class=\"footnotes\">\n<ol>\n"
                   "<li id=\"fn-n\"><p>Note text.</p>\n<a href=\"#fnref-n\" "
                   "class=\"footnote-back\" aria-label=\"Back to text\">↩</a></li>\n"
                   "<li id=\"fn-note\"><p>Upper.</p>\n<a href=\"#fnref-note\" "
                   "class=\"footnote-back\" aria-label=\"Back to text\">↩</a></li>\n"
                   "<li id=\"fn-section\"><a href=\"#fnref-section\" "
                   "class=\"footnote-back\" aria-label=\"Back to text\">↩</a></li>\n"
                   "</ol>\n</section>\n");

    std::string none;
    writeFootnotesSection(none, {}, definitions, writeBody);
    EXPECT_EQ(none, "");
}

} // namespace
} // namespace notes
