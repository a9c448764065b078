#include "notes/EscapeHTML.hpp"

namespace notes {

std::string escapeHTML(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    // The four characters are ASCII, which never occurs inside a multi-byte UTF-8
    // sequence, so a byte walk escapes exactly the code points.
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace notes
