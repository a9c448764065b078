#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace markdown {

/// Which square brackets pair up on each line of an inline text, read from left to right the way
/// the inline parser reads it: a backslash escapes the next punctuation character, and a code
/// span hides what it holds. Pairs never cross a line end.
class BracketPairs {
public:
    explicit BracketPairs(std::string_view text);

    /// The position of the bracket that closes the one at `opening`; none when nothing does or
    /// no opening bracket stands there.
    [[nodiscard]] std::optional<std::size_t> closing(std::size_t opening) const;

private:
    void pairLine(std::string_view line, std::size_t lineStart);

    std::unordered_map<std::size_t, std::size_t> closingOf;
};

} // namespace markdown
