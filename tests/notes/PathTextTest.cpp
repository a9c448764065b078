#include "notes/PathText.hpp"

#include <gtest/gtest.h>

#include <string>
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
        {"/a/b/c.md", "/a/b/c.md"},
        {"/a/./b//c/", "/a/b/c"},
        {"/a/b/../c", "/a/c"},
        {"/a/b/..", "/a"},
        {"/../secret.png", "/secret.png"},
        {"/a/../../b", "/b"},
        {"/", "/"},
        {"//", "/"},
        {"/.", "/"},
        {"a/../..", ".."},
        {"../../a/./b", "../../a/b"},
        {"../../a/b", "../../a/b"},
        {"../a/..", ".."},
        {"..", ".."},
        {"a/b", "a/b"},
        {"a/..", "."},
        {"notes/..hidden/x", "notes/..hidden/x"},
        {"", "."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(standardizedPath(c.path), c.standardized) << c.path;
        EXPECT_EQ(isStandardizedPath(c.path), c.path == c.standardized) << c.path;
        EXPECT_TRUE(isStandardizedPath(standardizedPath(c.path))) << c.path;
    }
    EXPECT_EQ(standardizedURL(markdown::URL::fileURL(std::string("/n/./a/../b.md"))).path(),
              "/n/b.md");
}

TEST(PathText, SplitsComponentsIgnoringTrailingSlashes) {
    struct Case {
        std::string_view path;
        std::string_view last;
        std::string_view parent;
    };
    const Case cases[] = {
        {"/notes/Plan.md", "Plan.md", "/notes"},
        {"/notes/folder/", "folder", "/notes"},
        {"/notes//folder//", "folder", "/notes"},
        {"/notes", "notes", "/"},
        {"/", "/", "/"},
        {"Plan.md", "Plan.md", ""},
        {"a//b", "b", "a"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lastPathComponent(c.path), c.last) << c.path;
        EXPECT_EQ(deletingLastPathComponent(c.path), c.parent) << c.path;
    }
    EXPECT_EQ(pathComponents("/a//b/"), (std::vector<std::string_view>{"/", "a", "b"}));
    EXPECT_EQ(pathComponents("a/b"), (std::vector<std::string_view>{"a", "b"}));
    EXPECT_EQ(pathComponents("/"), (std::vector<std::string_view>{"/"}));
    EXPECT_EQ(appendingPathComponent("/notes", "a/b.md"), "/notes/a/b.md");
    EXPECT_EQ(appendingPathComponent("/notes/", "b.md"), "/notes/b.md");
    EXPECT_EQ(appendingPathComponent("/", "b.md"), "/b.md");
    EXPECT_EQ(appendingPathComponent("", "b.md"), "b.md");
}

TEST(PathText, FindsExtensionsOutsideDotFileNames) {
    struct Case {
        std::string_view path;
        std::string_view extension;
        std::string_view withoutExtension;
        bool markdown;
    };
    const Case cases[] = {
        {"/n/Plan.md", "md", "/n/Plan", true},
        {"Plan.MD", "MD", "Plan", true},
        {"notes/a.tar.Markdown", "Markdown", "notes/a.tar", true},
        {"x.mdown", "mdown", "x", true},
        {"x.mkd", "mkd", "x", true},
        {"x.mdx", "mdx", "x", false},
        {"img/Logo.PNG", "PNG", "img/Logo", false},
        {".md", "", ".md", false},
        {"/n/.hidden", "", "/n/.hidden", false},
        {"/n/.hidden.md", "md", "/n/.hidden", true},
        {"/n.d/Plan", "", "/n.d/Plan", false},
        {"/n/Plan.md/", "md", "/n/Plan", true},
        {"..", "", "..", false},
        {"Plan.", "", "Plan", false},
        {"Plan", "", "Plan", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pathExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(deletingPathExtension(c.path), c.withoutExtension) << c.path;
        EXPECT_EQ(hasMarkdownExtension(c.path), c.markdown) << c.path;
    }
    // The Kelvin sign lowercases to "k".
    EXPECT_TRUE(isMarkdownExtension("m\u212Ad"));
}

} // namespace
} // namespace notes
