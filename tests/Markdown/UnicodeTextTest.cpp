#include "Markdown/UnicodeText.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

TEST(UnicodeText, ComparesByCanonicalEquivalenceButKeepsCase) {
    EXPECT_TRUE(canonicallyEqual("caf\xC3\xA9", "cafe\xCC\x81")); // precomposed vs combining
    EXPECT_TRUE(canonicallyEqual("", ""));
    EXPECT_FALSE(canonicallyEqual("Caf\xC3\xA9", "caf\xC3\xA9"));
    EXPECT_FALSE(canonicallyEqual("a", "b"));
    // Ill-formed text falls back to bytes.
    EXPECT_TRUE(canonicallyEqual("\xFF", "\xFF"));
    EXPECT_FALSE(canonicallyEqual("\xFF", "\xFE"));
    EXPECT_EQ(toNFC("e\xCC\x81"), "\xC3\xA9");
}

} // namespace
} // namespace markdown
