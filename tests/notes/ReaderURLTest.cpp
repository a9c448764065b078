#include "notes/ReaderURL.hpp"

#include <gtest/gtest.h>

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
        {"/n/!$&'()*+,-.:=@_~.md", "mdreader://local/n/!$&'()*+,-.:=@_~.md"},
        {"/n/[a]{b}|c\\d^`\"<>.md", "mdreader://local/n/%5Ba%5D%7Bb%7D%7Cc%5Cd%5E%60%22%3C%3E.md"},
        {"/n/\xff\xfe-latin1-\xe9.md", "mdreader://local/n/%FF%FE-latin1-%E9.md"},
        {"/", "mdreader://local/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readerURL(URL::fileURL(c.path)), c.url) << c.path;
        EXPECT_EQ(fileURLFromReaderURL(c.url), URL::fileURL(c.path)) << c.url;
    }
}

TEST(ReaderURL, ReadsBackOnlyLocalAddressesOfTheScheme) {
    const std::string_view refused[] = {
        "",
        "mdreader://Local/a.md",
        "mdreader://local",
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
        {"mdreader://local/caf%c3%a9.md", "/caf\u00e9.md"},
        {"mdreader://local/a/%2E%2E/b.md", "/a/../b.md"},
    };
    for (const auto& c : accepted)
        EXPECT_EQ(fileURLFromReaderURL(c.url), URL::fileURL(c.path)) << c.url;
}

} // namespace
} // namespace notes
