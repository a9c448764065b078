#include "notes/FileText.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

#include <string>
#include <system_error>
#include <variant>

using namespace std::string_literals;

namespace notes {
namespace {

struct Accepted {
    const char* name;
    std::string bytes;
    std::string text;
    bool hasBOM;
    LineEnding lineEnding;
};

TEST(FileText, DecodesStrictUTF8AndEncodesItBackByteForByte) {
    const Accepted cases[] = {
        {"empty", "", "", false, LineEnding::lf},
        {"mark only", "\xEF\xBB\xBF", "", true, LineEnding::lf},
        {"mark and text", "\xEF\xBB\xBF# Hi\n", "# Hi\n", true, LineEnding::lf},
        {"second mark stays in the text", "\xEF\xBB\xBF\xEF\xBB\xBFx", "\xEF\xBB\xBFx", true,
         LineEnding::lf},
        {"NUL byte", "a\0b"s, "a\0b"s, false, LineEnding::lf},
        {"CRLF majority", "a\r\nb\r\nc\n", "a\r\nb\r\nc\n", false, LineEnding::crlf},
        {"edges of the ranges", "\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF",
         "\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF", false, LineEnding::lf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto decoded = FileText::decode(c.bytes);
        ASSERT_TRUE(std::holds_alternative<FileText>(decoded));
        const auto& file = std::get<FileText>(decoded);
        EXPECT_EQ(file, (FileText{c.text, c.hasBOM, c.lineEnding}));
        EXPECT_EQ(file.encoded(), c.bytes);
    }
}

TEST(FileText, RefusesAnythingThatIsNotStrictUTF8) {
    const std::pair<const char*, std::string> cases[] = {
        {"half a mark", "\xEF\xBB"},
        {"Latin-1 e acute", "caf\xE9s"},
        {"UTF-16 mark", "\xFF\xFE#\0"s},
        {"lone continuation byte", "a\x80"},
        {"overlong two-byte NUL", "\xC0\x80"},
        {"overlong two-byte", "\xC1\xBF"},
        {"overlong three-byte", "\xE0\x9F\xBF"},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF"},
        {"high surrogate", "\xED\xA0\x80"},
        {"above U+10FFFF", "\xF4\x90\x80\x80"},
        {"five-byte lead", "\xF8\x88\x80\x80\x80"},
        {"truncated tail", "ok \xE2\x82"},
        {"missing continuation", "\xE2\x82"
                                 "a"},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        auto decoded = FileText::decode(bytes);
        ASSERT_TRUE(std::holds_alternative<FileText::ReadError>(decoded));
        EXPECT_EQ(std::get<FileText::ReadError>(decoded), FileText::ReadError::notUTF8);
    }
}

TEST(LineEnding, CountsCRLFAgainstBareLF) {
    const std::pair<std::string, LineEnding> cases[] = {
        {"", LineEnding::lf},
        {"no breaks", LineEnding::lf},
        {"a\r\nb\n", LineEnding::lf}, // a tie
        {"a\r\nb\r\nc\n", LineEnding::crlf},
        {"a\rb\rc", LineEnding::lf},  // lone CRs count for neither
        {"\r\r\n", LineEnding::crlf}, // the LF's previous byte is a CR
        {"\n\r", LineEnding::lf},
    };
    expectCases(cases, detectLineEnding);
}

TEST(LineEnding, ConvertsTypedBreaksToTheFileConvention) {
    struct Case {
        std::string text;
        LineEnding to;
        std::string expected;
    };
    const Case cases[] = {
        {"a\nb", LineEnding::crlf, "a\r\nb"},         {"\n", LineEnding::crlf, "\r\n"},
        {"a\r\nb\n", LineEnding::crlf, "a\r\nb\r\n"}, {"a\rb\n", LineEnding::crlf, "a\rb\r\n"},
        {"a\r\nb\nc", LineEnding::lf, "a\r\nb\nc"},   {"", LineEnding::crlf, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(convertLineBreaks(c.text, c.to), c.expected);
    }
}

} // namespace
} // namespace notes
