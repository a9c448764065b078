#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace markdown {

/// What the containers around a block put before each of its lines: "> " for a quote, a list
/// marker before an item's first line and its width in spaces before the others. Every printed
/// line gets them all, so no line relies on lazy continuation.
class LinePrefixes {
public:
    /// A container whose first line starts with `first` and whose other lines with `rest`.
    void push(std::string first, std::string rest);
    void pop();

    /// The prefix of the next line with text; afterwards every container has had its first line.
    [[nodiscard]] std::string takeLinePrefix();
    /// The prefix `takeLinePrefix` would give, and that of the lines after the next one.
    [[nodiscard]] std::string nextLinePrefix() const;
    [[nodiscard]] std::string restPrefix() const;
    /// The prefix of a blank line: only the containers whose first line is printed, without
    /// trailing spaces.
    [[nodiscard]] std::string blankLinePrefix() const;
    /// The width (in characters) of the next line's prefix, and of the lines after it.
    [[nodiscard]] std::int64_t nextWidth() const;
    [[nodiscard]] std::int64_t restWidth() const;
    /// The marker of the innermost container that has not printed its first line, if any.
    [[nodiscard]] std::string pendingFirst() const;

private:
    struct Prefix {
        std::string first;
        std::string rest;
        bool firstPrinted = false;
    };
    std::vector<Prefix> prefixes;
};

} // namespace markdown
