#include "notes/text/PlainText.hpp"

#include "Markdown/support/UnicodeText.hpp"
#include "notes/text/PercentEncoding.hpp"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

namespace notes {
namespace {

void asciiLowercaseInto(std::string_view text, std::string& out) {
    out.assign(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
}

} // namespace

bool isASCII(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string lowercased(std::string_view text) {
    std::string out;
    lowercaseInto(text, out);
    return out;
}

void lowercaseInto(std::string_view text, std::string& out) {
    // Most names are ASCII; ICU is for the rest.
    if (isASCII(text) || !markdown::isWellFormedUTF8(text)) {
        asciiLowercaseInto(text, out);
        return;
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot());
    out.clear();
    unicode.toUTF8String(out);
}

std::optional<std::string> percentDecoded(std::string_view text) {
    auto decoded = percentDecode(text);
    if (!decoded || !markdown::isWellFormedUTF8(*decoded))
        return std::nullopt;
    return decoded;
}

} // namespace notes
