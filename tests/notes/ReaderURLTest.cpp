#include "notes/ReaderURL.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace notes {
namespace {

using markdown::URL;

TEST(ReaderURL, EncodesThePathOutsideTheURLPathCharacters) {
    struct Case {
        std::string path;
        std::string url;
    };
    const Case cases[] = {
        {"/Users/ann/My Notes/a#1.md", "mdreader://local/Users/ann/My%20Notes/a%231.md"},
        {"/n/why?;100%.md", "mdreader://local/n/why%3F%3B100%25.md"},
        {"/n/!$&'()*+,-.:=@_~.md", "mdreader://local/n/!$&'()*+,-.:=@_~.md"},
        {"/n/[a]{b}|c\\d^`\"<>.md", "mdreader://local/n/%5Ba%5D%7Bb%7D%7Cc%5Cd%5E%60%22%3C%3E.md"},
        {"/n/Caf\u00e9.md", "mdreader://local/n/Caf%C3%A9.md"},
        {"/n/\xff\xfe-latin1-\xe9.md", "mdreader://local/n/%FF%FE-latin1-%E9.md"},
        {"/", "mdreader://local/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readerURL(URL::fileURL(c.path)), c.url) << c.path;
        EXPECT_EQ(fileURLFromReaderURL(c.url), URL::fileURL(c.path)) << c.url;
    }
}

TEST(ReaderURL, StandardizesThePathFirst) {
    EXPECT_EQ(readerURL(URL::fileURL(std::string("/a/./b/../c d.md"))),
              "mdreader://local/a/c%20d.md");
    auto cwd = std::filesystem::current_path().native();
    EXPECT_EQ(fileURLFromReaderURL(readerURL(URL::fileURL(std::string("note.md")))),
              URL::fileURL(cwd + "/note.md"));
    EXPECT_EQ(readerURL(URL::fileURL(std::string(""))), "");
}

TEST(ReaderURL, ReadsBackOnlyLocalAddressesOfTheScheme) {
    const std::string_view refused[] = {
        "",
        "MDREADER://local/a.md",
        "mdreader://Local/a.md",
        "mdreader://localhost/a.md",
        "mdreader://app/reader.css",
        "mdreader:local/a.md",
        "mdreader://local",
        "mdreader://local?x=/a.md",
        "mdreader://local/a%zz.md",
        "mdreader://local/etc/passwd%00.png",
    };
    for (std::string_view url : refused)
        EXPECT_EQ(fileURLFromReaderURL(url), std::nullopt) << url;

    struct Case {
        std::string_view url;
        std::string path;
    };
    const Case accepted[] = {
        {"mdreader://local/a%20b.md#Intro", "/a b.md"},
        {"mdreader://local/a/b.md?x=1", "/a/b.md"},
        {"mdreader://local/caf%c3%a9.md", "/caf\u00e9.md"},
        {"mdreader://local/a/%2E%2E/b.md", "/a/../b.md"},
        {"mdreader://ann@local:80/a.md", "/a.md"},
        {"mdreader://local/", "/"},
    };
    for (const auto& c : accepted)
        EXPECT_EQ(fileURLFromReaderURL(c.url), URL::fileURL(c.path)) << c.url;
}

} // namespace
} // namespace notes
