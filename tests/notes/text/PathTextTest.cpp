#include "notes/text/PathText.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(PathText, StandardizesLexically) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/a/./b//c/", "/a/b/c"},
        {"/a/b/../c", "/a/c"},
        {"/../secret.png", "/secret.png"},
        {"/", "/"},
        {"a/../..", ".."},
        {"../..", "../.."},
        {"n/..x/y", "n/..x/y"},
        {"", "."},
    };
    expectCases(cases, standardizedPath);
    for (const auto& [path, standardized] : cases) {
        EXPECT_EQ(isStandardizedPath(path), path == standardized) << path;
        EXPECT_TRUE(isStandardizedPath(standardized)) << standardized;
    }
}

TEST(PathText, SplitsOffExtensionsOutsideDotFileNamesAndTheLastComponent) {
    const struct {
        std::string_view path;
        std::string_view extension;
        std::string_view withoutExtension;
        bool markdown;
    } cases[] = {
        {"a.tar.Markdown", "Markdown", "a.tar", true},
        {"x.mdx", "mdx", "x", false},
        {".md", "", ".md", false},
        {"/n/.hidden.mkd", "mkd", "/n/.hidden", true},
        {"/n/Plan.md/", "md", "/n/Plan", true},
        {"Plan.", "", "Plan", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(pathExtension(c.path), deletingPathExtension(c.path),
                             hasMarkdownExtension(c.path)),
                  std::tuple(c.extension, c.withoutExtension, c.markdown));
    // The Kelvin sign lowercases to "k".
    EXPECT_TRUE(isMarkdownExtension("m\u212Ad"));
    // The root keeps its slash.
    EXPECT_EQ(deletingLastPathComponent("/n/"), "/");
}

} // namespace
} // namespace notes
