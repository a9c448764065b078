#pragma once

#include "Markdown/format/InlineReading.hpp"

#include <cstddef>
#include <string>
#include <unordered_map>

namespace markdown {

/// What one search for a printing that reads back has spent and read. Every try prints the
/// whole run of inlines and most parse it again, so one budget of bytes printed and parsed
/// bounds all the steps of a search, the later steps getting what the earlier ones left; and
/// a text printed again by other choices is not parsed again.
class InlineSearch {
public:
    explicit InlineSearch(std::size_t budget) : left(budget) {}

    /// Takes `bytes` from the budget; where fewer are left, false, and the budget is spent.
    bool spend(std::size_t bytes);
    [[nodiscard]] bool spent() const { return left == 0; }
    /// How a text read before read back, if it was.
    [[nodiscard]] const InlineReading* readingOf(const std::string& text) const;
    void keep(const std::string& text, InlineReading reading);

private:
    std::size_t left;
    std::unordered_map<std::string, InlineReading> readings;
};

} // namespace markdown
