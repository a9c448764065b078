#include "notes/files/FileText.hpp"
#include "notes/files/LenientUTF8.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

#include <string>
#include <system_error>
#include <utility>
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
        {"lone continuation byte", "a\x80"},
        {"overlong two-byte NUL", "\xC0\x80"},
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
        {"a\r\nb\n", LineEnding::lf}, // a tie
        {"a\r\nb\r\nc\n", LineEnding::crlf},
        {"a\rb\rc", LineEnding::lf},  // lone CRs count for neither
        {"\r\r\n", LineEnding::crlf}, // the LF's previous byte is a CR
    };
    expectCases(cases, detectLineEnding);
}

TEST(LenientUTF8, ReplacesEachMaximalInvalidSequenceWithOneReplacementCharacter) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"a\xFF"
         "b",
         "a" + r + "b"},
        // A sequence cut short is one replacement, however many of its bytes came.
        {"\xE2\x82"
         "x",
         r + "x"},
        {"\xF0\x9F\x98", r},
        // Bytes that can never start or continue a sequence, each on its own.
        {"\xC0\xAF", r + r},
        {"\xE0\x80\x80", r + r + r},
        // A surrogate encoded in UTF-8 is not text.
        {"\xED\xA0\x80", r + r + r},
        {"\xF4\x90\x80\x80", r + r + r + r},
    };
    expectCases(cases, replacingInvalidUTF8);
}

} // namespace
} // namespace notes
