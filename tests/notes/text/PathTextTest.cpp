#include "notes/text/PathText.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace notes {
namespace {

TEST(PathText, StandardizesLexically) {
    struct Case {
        std::string_view path;
        std::string_view standardized;
    };
    const Case cases[] = {
        {"/a/./b//c/", "/a/b/c"},
        {"/a/b/../c", "/a/c"},
        {"/../secret.png", "/secret.png"},
        {"/", "/"},
        {"a/../..", ".."},
        {"../..", "../.."},
        {"n/..x/y", "n/..x/y"},
        {"", "."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(standardizedPath(c.path), c.standardized) << c.path;
        EXPECT_EQ(isStandardizedPath(c.path), c.path == c.standardized) << c.path;
        EXPECT_TRUE(isStandardizedPath(standardizedPath(c.path))) << c.path;
    }
}

TEST(PathText, SplitsOffExtensionsOutsideDotFileNamesAndTheLastComponent) {
    struct Case {
        std::string_view path;
        std::string_view extension;
        std::string_view withoutExtension;
        bool markdown;
    };
    const Case cases[] = {
        {"a.tar.Markdown", "Markdown", "a.tar", true},
        {"x.mdx", "mdx", "x", false},
        {".md", "", ".md", false},
        {"/n/.hidden.mkd", "mkd", "/n/.hidden", true},
        {"/n/Plan.md/", "md", "/n/Plan", true},
        {"Plan.", "", "Plan", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pathExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(deletingPathExtension(c.path), c.withoutExtension) << c.path;
        EXPECT_EQ(hasMarkdownExtension(c.path), c.markdown) << c.path;
    }
    // The Kelvin sign lowercases to "k".
    EXPECT_TRUE(isMarkdownExtension("m\u212Ad"));
    // The root keeps its slash.
    EXPECT_EQ(deletingLastPathComponent("/n/"), "/");
}

} // namespace
} // namespace notes
