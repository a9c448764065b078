#include "notes/text/EscapeHTML.hpp"

#include <array>

namespace notes {
namespace {

// A table, as most text has none of them and every byte is looked at.
constexpr std::array<bool, 256> specialBytes = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {'&', '<', '>', '"'})
        table[c] = true;
    return table;
}();

bool isSpecial(char c) {
    return specialBytes[static_cast<unsigned char>(c)];
}

} // namespace

std::string escapeHTML(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscapedHTML(out, text);
    return out;
}

void appendEscapedHTML(std::string& out, std::string_view text) {
    // The four characters are ASCII, which never occurs inside a multi-byte UTF-8
    // sequence, so a byte walk escapes exactly the code points.
    // Runs without any of them are copied whole.
    for (std::size_t start = 0; start < text.size();) {
        std::size_t special = start;
        while (special < text.size() && !isSpecial(text[special]))
            ++special;
        out.append(text.substr(start, special - start));
        if (special == text.size())
            break;
        switch (text[special]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += "&quot;";
        }
        start = special + 1;
    }
}

} // namespace notes
