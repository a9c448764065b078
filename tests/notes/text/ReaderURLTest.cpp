#include "notes/text/ReaderURL.hpp"
#include "notes/render/ResolveAssetURL.hpp"
#include "notes/text/PercentEncoding.hpp"

#include "tests/notes/ExpectCases.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using markdown::URL;

TEST(ReaderURL, EncodesThePathOutsideTheURLPathCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"/Users/ann/My Notes/a#1.md", "mdreader://local/Users/ann/My%20Notes/a%231.md"},
        {"/n/!$&'()*+,-.:=@_~.md", "mdreader://local/n/!$&'()*+,-.:=@_~.md"},
        {"/n/[a]{b}|c\\d^`\"<>.md", "mdreader://local/n/%5Ba%5D%7Bb%7D%7Cc%5Cd%5E%60%22%3C%3E.md"},
        {"/n/\xff\xfe-latin1-\xe9.md", "mdreader://local/n/%FF%FE-latin1-%E9.md"},
        {"/", "mdreader://local/"},
    };
    for (const auto& [path, url] : cases) {
        EXPECT_EQ(readerURL(URL::fileURL(path)), url) << path;
        EXPECT_EQ(fileURLFromReaderURL(url), URL::fileURL(path)) << url;
    }
    EXPECT_EQ(readerURL(URL::fileURL(std::string("/n/./a/../b//c d/"))),
              "mdreader://local/n/b/c%20d");
    // The root keeps its separator also when it is spelled otherwise.
    EXPECT_EQ(readerURL(URL::fileURL(std::string("/./"))), "mdreader://local/");
}

TEST(ReaderURL, ReadsBackOnlyLocalAddressesOfTheScheme) {
    const std::pair<std::string_view, std::optional<URL>> cases[] = {
        {"", std::nullopt},
        {"mdreader://Local/a.md", std::nullopt},
        {"mdreader://local", std::nullopt},
        {"mdreader://local/a%zz.md", std::nullopt},
        {"mdreader://local/etc/passwd%00.png", std::nullopt},
        {"mdreader://local/a%20b.md#Intro", URL::fileURL(std::string("/a b.md"))},
        {"mdreader://local/caf%c3%a9.md", URL::fileURL(std::string("/caf\u00e9.md"))},
        {"mdreader://local/a/%2E%2E/b.md", URL::fileURL(std::string("/a/../b.md"))},
    };
    expectCases(cases, fileURLFromReaderURL);
    // An escape cut short is refused, whatever follows it in memory.
    EXPECT_EQ(percentDecode(std::string_view("a%2F").substr(0, 3)), std::nullopt);
}

TEST(ResolveAssetURL, SearchesOnlyTheNearestLevelWithPublicOrStatic) {
    ScratchFolder folder;
    for (const char* file : {"site/public/img/a.png", "site/public/img/a b.png", "site/secret.png",
                             "site/static/img/a.png", "site/static/only.png", "site/x/p/note.md"})
        folder.file(file);
    const URL note = URL::fileURL(folder / "site/x/p/note.md");
    const std::pair<std::string_view, std::optional<std::string>> cases[] = {
        {"/img/a.png", "site/public/img/a.png"},
        {"/only.png", "site/static/only.png"},
        {"/img/a%20b.png?v=2", "site/public/img/a b.png"},
        {"/../secret.png", std::nullopt},
        {"/img/a.png%00.txt", std::nullopt},
        {"//img/a.png", std::nullopt},
        {"https://e.com/img/a.png", std::nullopt},
    };
    for (const auto& [source, found] : cases)
        EXPECT_EQ(resolveAssetURL(source, note),
                  found ? std::optional(URL::fileURL(folder / *found)) : std::nullopt)
            << source;

    // A nearer level with a root is searched alone, even without the file.
    std::filesystem::create_directories(folder / "site/x/static");
    EXPECT_EQ(resolveAssetURL("/img/a.png", note), std::nullopt);
}

} // namespace
} // namespace notes
