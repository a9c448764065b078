#pragma once

#include <string>
#include <string_view>

namespace fuzz {

/// The text with every CR that stands right before an LF taken out (one pass: of CR CR LF, the
/// first CR stays).
inline std::string withoutCRBeforeLF(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

} // namespace fuzz
