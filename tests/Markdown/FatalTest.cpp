#include "Markdown/Fatal.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

TEST(FatalDeathTest, PrintsItsMessageAndStops) {
    EXPECT_DEATH(fatal("tree is broken"), "tree is broken");
    EXPECT_DEATH(require(false), "");
    require(true);
}

} // namespace
} // namespace markdown
