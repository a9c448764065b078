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

TEST(ResolveAssetURL, SearchesOnlyTheNearestLevelWithPublicOrStatic) {
    TemporaryNoteFolder folder;
    for (const char* file : {"site/public/img/a.png", "site/public/img/a b.png", "site/secret.png",
                             "site/static/img/a.png", "site/static/only.png", "site/x/p/note.md"})
        folder.file(file);
    const URL note = URL::fileURL(folder.path("site/x/p/note.md"));
    const std::pair<std::string_view, std::optional<std::string>> cases[] = {
        {"/img/a.png", "site/public/img/a.png"},
        {"/only.png", "site/static/only.png"},
        {"/img/a%20b.png?v=2", "site/public/img/a b.png"},
        {"/img/./../img/a.png#x", "site/public/img/a.png"},
        {"/../secret.png", std::nullopt},
        {"/img/a.png%00.txt", std::nullopt},
        {"//img/a.png", std::nullopt},
        {"https://e.com/img/a.png", std::nullopt},
        {"///", std::nullopt},
    };
    for (const auto& [source, found] : cases)
        EXPECT_EQ(resolveAssetURL(source, note),
                  found ? std::optional(URL::fileURL(folder.path(*found))) : std::nullopt)
            << source;

    // A nearer level with a root is searched alone, even without the file.
    std::filesystem::create_directories(folder.path("site/x/static"));
    EXPECT_EQ(resolveAssetURL("/img/a.png", note), std::nullopt);
}

} // namespace
} // namespace notes
