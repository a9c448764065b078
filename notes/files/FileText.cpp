#include "notes/files/FileText.hpp"

#include "Markdown/support/UnicodeText.hpp"

#include <cstdint>

namespace notes {
namespace {

using markdown::byteOrderMark;

bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// The well-formed byte sequences of the Unicode standard: no overlong forms, no encoded
// surrogates, nothing above U+10FFFF, no truncated tail. NUL is a character like any other.
bool isStrictUTF8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        // The second byte's range narrows where the lead alone would allow overlong forms,
        // surrogates or code points beyond U+10FFFF.
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (size - i < length)
            return false;
        if (bytes[i + 1] < low || bytes[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (!isContinuation(bytes[i + k]))
                return false;
        }
        i += length;
    }
    return true;
}

class FileTextCategory final : public std::error_category {
public:
    [[nodiscard]] const char* name() const noexcept override { return "notes.FileText"; }
    [[nodiscard]] std::string message(int) const override {
        return "This file isn\u2019t plain UTF-8 text, so Lumenleaf won\u2019t edit it (saving "
               "could change it).";
    }
};

} // namespace

LineEnding detectLineEnding(std::string_view text) {
    std::size_t crlf = 0;
    std::size_t bareLF = 0;
    char previous = '\0';
    for (char c : text) {
        if (c == '\n')
            ++(previous == '\r' ? crlf : bareLF);
        previous = c;
    }
    return crlf > bareLF ? LineEnding::crlf : LineEnding::lf;
}

std::string convertLineBreaks(std::string text, LineEnding to) {
    if (to == LineEnding::lf || text.find('\n') == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size() + 8);
    char previous = '\0';
    for (char c : text) {
        if (c == '\n' && previous != '\r')
            out.push_back('\r');
        out.push_back(c);
        previous = c;
    }
    return out;
}

std::variant<FileText, FileText::ReadError> FileText::decode(std::string_view bytes) {
    const bool hasBOM = bytes.starts_with(byteOrderMark);
    if (hasBOM)
        bytes.remove_prefix(byteOrderMark.size());
    // The text is the body's own bytes, so a strictly valid body is exactly what encoding the
    // text gives back: validation is the round trip.
    if (!isStrictUTF8(bytes))
        return ReadError::notUTF8;
    return FileText{std::string(bytes), hasBOM, detectLineEnding(bytes)};
}

std::string FileText::encoded() const {
    std::string out;
    out.reserve(text.size() + byteOrderMark.size());
    if (hasBOM)
        out += byteOrderMark;
    out += text;
    return out;
}

const std::error_category& fileTextCategory() noexcept {
    static const FileTextCategory category;
    return category;
}

std::error_code make_error_code(FileText::ReadError error) noexcept {
    return {static_cast<int>(error), fileTextCategory()};
}

} // namespace notes
