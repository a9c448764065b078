#include "Markdown/directives/RoadLineRules.hpp"

#include "Markdown/support/CharacterBreaks.hpp"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace markdown {

bool readsAsRoadFence(std::string_view line) {
    // A space or tab carrying a mark is no indentation, and cannot stand before a run either.
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return false;
    const std::string_view rest = line.substr(start);
    if (!rest.starts_with("```") && !rest.starts_with("~~~"))
        return false;
    // Only a character beyond ASCII can join the run's last one.
    return rest.size() == 3 || static_cast<unsigned char>(rest[3]) < 0x80 ||
           hasCharacterPrefix(rest, rest.substr(0, 3));
}

std::optional<DoxygenCommandName> doxygenCommandNamed(std::string_view word) {
    std::string lowered;
    if (std::all_of(word.begin(), word.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        lowered.assign(word);
        for (char& c : lowered)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
    } else {
        icu::UnicodeString::fromUTF8(
            icu::StringPiece(word.data(), static_cast<int32_t>(word.size())))
            .toLower(icu::Locale::getRoot())
            .toUTF8String(lowered);
    }
    using Name = DoxygenCommandName;
    static constexpr std::array<std::pair<std::string_view, Name>, 8> commands{{
        {"discussion", Name::discussion},
        {"note", Name::note},
        {"brief", Name::abstract},
        {"abstract", Name::abstract},
        {"param", Name::param},
        {"return", Name::returns},
        {"returns", Name::returns},
        {"result", Name::returns},
    }};
    for (const auto& [command, name] : commands)
        if (lowered == command)
            return name;
    return std::nullopt;
}

std::int64_t argumentTextLength(std::string_view rest) {
    bool escaped = false;
    bool quoted = false;
    std::int64_t count = 0;
    for (std::size_t i = 0; i < rest.size(); i = characterEnd(rest, i), ++count) {
        if (escaped)
            escaped = false;
        else if (isCharacterAt(rest, i, '\\'))
            escaped = true;
        else if (isCharacterAt(rest, i, '"'))
            quoted = !quoted;
        else if (!quoted && isCharacterAt(rest, i, ')'))
            break;
    }
    return count;
}

} // namespace markdown
