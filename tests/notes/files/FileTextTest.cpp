#include "notes/files/FileText.hpp"
#include "notes/files/LenientUTF8.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace notes {
namespace {

TEST(FileText, DecodesStrictUTF8AndEncodesItBackByteForByte) {
    const std::string edges = "\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF";
    const std::pair<std::string, FileText> cases[] = {
        {"", {"", false, LineEnding::lf}},
        {"\xEF\xBB\xBF", {"", true, LineEnding::lf}},
        // A second mark stays in the text.
        {"\xEF\xBB\xBF\xEF\xBB\xBFx", {"\xEF\xBB\xBFx", true, LineEnding::lf}},
        {"a\0b"s, {"a\0b"s, false, LineEnding::lf}},
        {"a\r\nb\r\nc\n", {"a\r\nb\r\nc\n", false, LineEnding::crlf}},
        // The edges of the ranges of each length.
        {edges, {edges, false, LineEnding::lf}},
    };
    expectCases(cases, [](const std::string& bytes) {
        return std::get<FileText>(FileText::decode(bytes));
    });
    for (const auto& [bytes, file] : cases)
        EXPECT_EQ(file.encoded(), bytes);
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

// Strict decoding refuses what the lenient one replaces: each maximal invalid sequence with one
// replacement character.
TEST(FileText, RefusesAnythingThatIsNotStrictUTF8AndLenientlyReplacesIt) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"a\xFFz", "a" + r + "z"},
        {"a\x80", "a" + r},
        // A sequence cut short is one replacement, however many of its bytes came.
        {"ok \xE2\x82", "ok " + r},
        {"\xE2\x82z", r + "z"},
        {"\xF0\x9F\x98", r},
        // Overlong forms, surrogates and bytes beyond U+10FFFF: each byte on its own.
        {"\xC0\x80", r + r},
        {"\xE0\x9F\xBF", r + r + r},
        {"\xF0\x8F\xBF\xBF", r + r + r + r},
        {"\xED\xA0\x80", r + r + r},
        {"\xF4\x90\x80\x80", r + r + r + r},
        {"\xF8\x88\x80\x80\x80", r + r + r + r + r},
    };
    expectCases(cases, replacingInvalidUTF8);
    for (const auto& [bytes, lenient] : cases)
        EXPECT_EQ(std::holds_alternative<FileText>(FileText::decode(bytes)), bytes == lenient)
            << bytes;
}

} // namespace
} // namespace notes
