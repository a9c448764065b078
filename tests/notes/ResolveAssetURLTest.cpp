#include "notes/ResolveAssetURL.hpp"

#include "TemporaryNoteFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace notes {
namespace {

using markdown::URL;
using testing::TemporaryNoteFolder;

TEST(ResolveAssetURL, FindsRootRelativeSourcesInTheNearestPublicFolder) {
    TemporaryNoteFolder folder;
    folder.file("site/public/img/a.png");
    folder.file("site/public/img/a b.png");
    folder.file("site/secret.png");
    folder.file("site/content/posts/note.md");
    const URL note = URL::fileURL(folder.path("site/content/posts/note.md"));
    struct Case {
        std::string_view source;
        std::optional<std::string> found; // relative to the folder
    };
    const Case cases[] = {
        {"/img/a.png", "site/public/img/a.png"},
        {"//img/a.png", std::nullopt},
        {"/img/a%20b.png", "site/public/img/a b.png"},
        {"/img/a.png?v=2", "site/public/img/a.png"},
        {"/img/a.png#x", "site/public/img/a.png"},
        {"/img/./../img/a.png", "site/public/img/a.png"},
        {"/img/a.png%00.txt", std::nullopt},
        {"/img/a%2.png", std::nullopt},
        {"img/a.png", std::nullopt},
        {"https://e.com/img/a.png", std::nullopt},
        {"/", std::nullopt},
        {"///", std::nullopt},
        {"/../secret.png", std::nullopt},
        {"/img/missing.png", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<URL> url = resolveAssetURL(c.source, note);
        if (c.found)
            EXPECT_EQ(url, URL::fileURL(folder.path(*c.found))) << c.source;
        else
            EXPECT_EQ(url, std::nullopt) << c.source;
    }

    // A nearer level with a root is searched alone, even without the file.
    std::filesystem::create_directories(folder.path("site/content/public"));
    EXPECT_EQ(resolveAssetURL("/img/a.png", note), std::nullopt);
}

TEST(ResolveAssetURL, TriesPublicBeforeStaticAtOneLevel) {
    TemporaryNoteFolder folder;
    folder.file("public/both.png");
    folder.file("static/both.png");
    folder.file("static/only.png");
    folder.file("note.md");
    const URL note = URL::fileURL(folder.path("note.md"));
    EXPECT_EQ(resolveAssetURL("/both.png", note), URL::fileURL(folder.path("public/both.png")));
    EXPECT_EQ(resolveAssetURL("/only.png", note), URL::fileURL(folder.path("static/only.png")));
    EXPECT_EQ(resolveAssetURL("/../note.md", note), std::nullopt);
}

} // namespace
} // namespace notes
