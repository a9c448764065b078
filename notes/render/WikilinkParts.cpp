#include "notes/render/WikilinkParts.hpp"

#include "notes/render/Slugify.hpp"
#include "notes/text/CharacterText.hpp"

#include <algorithm>
#include <charconv>
#include <ranges>
#include <vector>

namespace notes {
namespace {

std::string withoutEscapedBars(std::string_view body) {
    if (body.find("\\|") == std::string_view::npos)
        return std::string(body);
    std::string text;
    text.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\\' && i + 1 < body.size() && body[i + 1] == '|')
            continue;
        text += body[i];
    }
    return text;
}

// As the last of `pathComponents`, without listing them all.
std::string_view lastComponent(std::string_view name) {
    const std::string_view trimmed = name.substr(0, name.find_last_not_of('/') + 1);
    if (trimmed.empty())
        return name.starts_with('/') ? name.substr(0, 1) : name;
    return trimmed.substr(trimmed.rfind('/') + 1);
}

std::optional<long long> wholeNumber(std::string_view piece) {
    if (piece.size() > 1 && piece.front() == '+' && piece[1] != '-')
        piece.remove_prefix(1);
    long long value = 0;
    const char* end = piece.data() + piece.size();
    const auto [stop, error] = std::from_chars(piece.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

WikilinkParts WikilinkParts::parse(std::string_view body) {
    const std::string text = withoutEscapedBars(body);
    const std::string_view whole = text;
    WikilinkParts parts;
    const std::size_t bar = whole.find('|');
    parts.targetPart = trimWhitespace(whole.substr(0, bar));
    if (bar != std::string_view::npos)
        parts.alias = std::string(trimWhitespace(whole.substr(bar + 1)));
    const std::string_view target = parts.targetPart;
    const std::size_t hash = target.find('#');
    parts.name = trimWhitespace(target.substr(0, hash));
    if (hash != std::string_view::npos) {
        const std::string_view heading = trimWhitespace(target.substr(hash + 1));
        parts.heading = std::string(heading);
        parts.anchor = slugify(heading.starts_with('^') ? heading.substr(1) : heading);
    }
    parts.last = lastComponent(parts.name);
    return parts;
}

std::optional<EmbedSize> parseEmbedSize(std::string_view alias) {
    std::string lowered(alias);
    std::ranges::replace(lowered, 'X', 'x');
    std::vector<std::string_view> pieces;
    for (const auto piece : std::views::split(lowered, 'x'))
        if (!piece.empty())
            pieces.emplace_back(&*piece.begin(), std::ranges::distance(piece));
    if (pieces.empty())
        return std::nullopt;
    const std::optional<long long> width = wholeNumber(pieces[0]);
    if (!width)
        return std::nullopt;
    EmbedSize size{.width = *width, .height = std::nullopt};
    if (pieces.size() > 1)
        size.height = wholeNumber(pieces[1]);
    return size;
}

} // namespace notes
