#include "notes/PercentEncoding.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(PercentEncoding, PathsAndQueryValuesKeepTheirOwnCharacters) {
    struct Case {
        std::string_view bytes;
        const char* path;
        const char* queryValue;
    };
    using namespace std::string_view_literals;
    for (const auto& [bytes, path, queryValue] : {
             Case{"/a b/c.md", "/a%20b/c.md", "/a%20b/c.md"},
             Case{"&=?;#%", "&=%3F%3B%23%25", "%26=?;%23%25"},
             Case{"!$'()*+,-._~:@", "!$'()*+,-._~:@", "!$'()*+,-._~:@"},
             Case{"é\x01\x7f\"<>", "%C3%A9%01%7F%22%3C%3E", "%C3%A9%01%7F%22%3C%3E"},
             Case{"a\0b"sv, "a%00b", "a%00b"},
         }) {
        EXPECT_EQ(percentEncodePath(bytes), path) << bytes;
        EXPECT_EQ(percentEncodeQueryValue(bytes), queryValue) << bytes;
        EXPECT_EQ(percentDecode(queryValue), std::string(bytes));
    }
}

} // namespace
} // namespace notes
