#include "notes/EscapeHTML.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(EscapeHTML, EscapesTheFourCharactersPerCodePoint) {
    EXPECT_EQ(escapeHTML("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; 'd'&gt;");
    // A quote with a combining acute accent is still a quote to an HTML parser.
    EXPECT_EQ(escapeHTML("\"\u0301 onmouseover=x"), "&quot;\u0301 onmouseover=x");
}

} // namespace
} // namespace notes
