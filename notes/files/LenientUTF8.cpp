#include "notes/files/LenientUTF8.hpp"

#include "Markdown/support/UnicodeText.hpp"

namespace notes {
namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

struct SequenceRule {
    std::size_t length = 0; // 0: the byte cannot start a sequence
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
};

// The well-formed byte sequences of the Unicode standard, by their first byte.
SequenceRule ruleFor(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4};
    return {};
}

// How many bytes from `at` form a well-formed sequence (the whole length), or the length of
// the longest start of one that is cut short (at least 1), as a negative number.
std::ptrdiff_t sequenceAt(std::string_view bytes, std::size_t at) {
    SequenceRule rule = ruleFor(static_cast<unsigned char>(bytes[at]));
    if (rule.length == 0)
        return -1;
    std::size_t taken = 1;
    for (; taken < rule.length && at + taken < bytes.size(); ++taken) {
        auto byte = static_cast<unsigned char>(bytes[at + taken]);
        unsigned char low = taken == 1 ? rule.secondLow : 0x80;
        unsigned char high = taken == 1 ? rule.secondHigh : 0xBF;
        if (byte < low || byte > high)
            break;
    }
    return taken == rule.length ? static_cast<std::ptrdiff_t>(taken)
                                : -static_cast<std::ptrdiff_t>(taken);
}

} // namespace

std::string replacingInvalidUTF8(std::string_view bytes) {
    if (markdown::isWellFormedUTF8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            out += bytes[at++];
            continue;
        }
        std::ptrdiff_t length = sequenceAt(bytes, at);
        if (length > 0) {
            out.append(bytes.substr(at, static_cast<std::size_t>(length)));
            at += static_cast<std::size_t>(length);
        } else {
            out += replacementCharacter;
            at += static_cast<std::size_t>(-length);
        }
    }
    return out;
}

} // namespace notes
