#include "notes/LenientUTF8.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace notes {
namespace {

TEST(LenientUTF8, ReplacesEachMaximalInvalidSequenceWithOneReplacementCharacter) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
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
        {"\x80\x80", r + r},
        // A surrogate encoded in UTF-8 is not text.
        {"\xED\xA0\x80", r + r + r},
        {"\xF4\x90\x80\x80", r + r + r + r},
        {"\xF0\x9F\x98\x80\xFF", "\xF0\x9F\x98\x80" + r},
    };
    expectCases(cases, replacingInvalidUTF8);
}

} // namespace
} // namespace notes
