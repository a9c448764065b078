#include "Markdown/format/LinePrefixes.hpp"

#include "Markdown/support/CharacterBreaks.hpp"

namespace markdown {

void LinePrefixes::push(std::string first, std::string rest) {
    prefixes.push_back({std::move(first), std::move(rest)});
}

void LinePrefixes::pop() {
    prefixes.pop_back();
}

std::string LinePrefixes::takeLinePrefix() {
    std::string line = nextLinePrefix();
    for (Prefix& prefix : prefixes)
        prefix.firstPrinted = true;
    return line;
}

std::string LinePrefixes::nextLinePrefix() const {
    std::string line;
    for (const Prefix& prefix : prefixes)
        line += prefix.firstPrinted ? prefix.rest : prefix.first;
    return line;
}

std::string LinePrefixes::restPrefix() const {
    std::string line;
    for (const Prefix& prefix : prefixes)
        line += prefix.rest;
    return line;
}

std::string LinePrefixes::blankLinePrefix() const {
    std::string line;
    for (const Prefix& prefix : prefixes) {
        if (!prefix.firstPrinted)
            break;
        line += prefix.rest;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::int64_t LinePrefixes::nextWidth() const {
    std::int64_t width = 0;
    for (const Prefix& prefix : prefixes)
        width += static_cast<std::int64_t>(
            characterCount(prefix.firstPrinted ? prefix.rest : prefix.first));
    return width;
}

std::int64_t LinePrefixes::restWidth() const {
    std::int64_t width = 0;
    for (const Prefix& prefix : prefixes)
        width += static_cast<std::int64_t>(characterCount(prefix.rest));
    return width;
}

std::string LinePrefixes::pendingFirst() const {
    for (auto prefix = prefixes.rbegin(); prefix != prefixes.rend(); ++prefix)
        if (!prefix->firstPrinted)
            return prefix->first;
    return {};
}

} // namespace markdown
