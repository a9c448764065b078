#include "Markdown/format/InlineSearch.hpp"

namespace markdown {

bool InlineSearch::spend(std::size_t bytes) {
    if (bytes > left) {
        // What is left cannot pay for a try: none is made any more.
        left = 0;
        return false;
    }
    left -= bytes;
    return true;
}

const InlineReading* InlineSearch::readingOf(const std::string& text) const {
    const auto found = readings.find(text);
    return found == readings.end() ? nullptr : &found->second;
}

void InlineSearch::keep(const std::string& text, InlineReading reading) {
    readings.emplace(text, reading);
}

} // namespace markdown
