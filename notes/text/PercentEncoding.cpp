#include "notes/text/PercentEncoding.hpp"

#include <array>

namespace notes {

namespace {

using ByteSet = std::array<bool, 256>;

// The letters, the digits and `others`: the bytes kept as they are.
constexpr ByteSet keptBytes(std::string_view others) {
    ByteSet kept{};
    for (unsigned char c = 0; c < 128; ++c)
        kept[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                  others.find(static_cast<char>(c)) != std::string_view::npos;
    return kept;
}

constexpr ByteSet keptInPaths = keptBytes("!$&'()*+,-./:=@_~");
// What a query allows, less "&", which would end the item.
constexpr ByteSet keptInQueryValues = keptBytes("!$'()*+,-./:;=?@_~");

// Every byte outside `kept` becomes %XX.
std::string percentEncode(std::string_view bytes, const ByteSet& kept) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (kept[byte]) {
            out += c;
        } else {
            const char escape[] = {'%', digits[byte >> 4], digits[byte & 0xF]};
            out.append(escape, sizeof escape);
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string percentEncodePath(std::string_view bytes) {
    return percentEncode(bytes, keptInPaths);
}

std::string percentEncodeQueryValue(std::string_view bytes) {
    return percentEncode(bytes, keptInQueryValues);
}

std::optional<std::string> percentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (text.size() - i < 3)
            return std::nullopt;
        int high = hexValue(text[i + 1]);
        int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

} // namespace notes
