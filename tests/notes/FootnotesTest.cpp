#include "notes/FootnoteOrder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace notes {
namespace {

TEST(Footnotes, NumbersLabelsByFirstReferenceAsCanonicalText) {
    FootnoteOrder order;
    EXPECT_EQ(order.reference("x"), 1u);
    EXPECT_EQ(order.reference("X"), 2u);       // case matters
    EXPECT_EQ(order.reference("e\u0301"), 3u); // e + combining acute
    EXPECT_EQ(order.reference("\u00E9"), 3u);  // é, canonically the same label
    EXPECT_EQ(order.reference("x"), 1u);
    EXPECT_EQ(order.labels(), (std::vector<std::string>{"x", "X", "e\u0301"}));
}

} // namespace
} // namespace notes
