#include "notes/render/Frontmatter.hpp"

#include "notes/text/CharacterText.hpp"
#include "notes/text/MakeRegex.hpp"
#include "notes/text/RegexMatch.hpp"

#include <algorithm>

namespace notes {
namespace {

// A "- key: value" item is a nested mapping, which the format cannot hold as a list item.
const icu::RegexPattern& nestedKeyPattern() {
    static const auto pattern = makeRegex(R"(^[\w-]+:\s)");
    return *pattern;
}

bool isQuotedWith(std::string_view text, char quote) {
    const char quoteText[] = {quote, '\0'};
    return text.size() >= 2 && hasCharacterPrefix(text, quoteText) && text.back() == quote;
}

std::string unquote(std::string_view text) {
    text = trimWhitespace(text);
    if (isQuotedWith(text, '"') || isQuotedWith(text, '\''))
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

// Removes the indentation (leading spaces; a tab ends it) that all lines share.
std::vector<std::string_view> dedent(const std::vector<std::string_view>& lines) {
    if (lines.empty())
        return {};
    std::size_t shared = std::string_view::npos;
    for (std::string_view line : lines)
        shared = std::min(shared, leadingCharacterCount(line, ' '));
    std::vector<std::string_view> result;
    result.reserve(lines.size());
    for (std::string_view line : lines)
        result.push_back(line.substr(shared));
    return result;
}

std::vector<std::string> inlineListItems(std::string_view inside) {
    std::vector<std::string> items;
    while (!inside.empty()) {
        const std::size_t comma = findCharacter(inside, ',');
        const std::string_view piece = inside.substr(0, comma);
        if (!piece.empty()) {
            std::string item = unquote(piece);
            if (!item.empty())
                items.push_back(std::move(item));
        }
        if (comma == std::string_view::npos)
            break;
        inside.remove_prefix(comma + 1);
    }
    return items;
}

Frontmatter::Value parseValue(std::string_view inlineText,
                              const std::vector<std::string_view>& lines) {
    if (!inlineText.empty() && lines.empty()) {
        if (hasCharacterPrefix(inlineText, "[") && inlineText.back() == ']' &&
            !hasCharacterPrefix(inlineText, "[[")) {
            return Frontmatter::List{inlineListItems(inlineText.substr(1, inlineText.size() - 2))};
        }
        if (inlineText == "|" || inlineText == ">")
            return Frontmatter::Raw{};
        return Frontmatter::Text{unquote(inlineText)};
    }

    std::vector<std::string> items;
    for (std::string_view line : lines) {
        const std::string_view trimmed = trimWhitespace(line);
        if (!hasCharacterPrefix(trimmed, "- "))
            continue;
        const std::string_view rest = trimmed.substr(2);
        if (!firstMatch(nestedKeyPattern(), rest))
            items.push_back(unquote(rest));
    }
    // "key:" alone has no lines and so no items; it is an empty raw value, not a list.
    if (!lines.empty() && items.size() == lines.size())
        return Frontmatter::List{std::move(items)};

    const std::vector<std::string_view> dedented = dedent(lines);
    if (inlineText == "|")
        return Frontmatter::Text{joinLines(dedented)};
    if (inlineText == ">")
        return Frontmatter::Text{joinLines(dedented, " ")};
    return Frontmatter::Raw{joinLines(dedented)};
}

struct OpenKey {
    std::string key;
    std::string_view inlineText;
    std::vector<std::string_view> lines;
};

bool isContinuationLine(std::string_view line) {
    return hasCharacterPrefix(line, " ") || hasCharacterPrefix(line, "\t") ||
           hasCharacterPrefix(line, "- ");
}

} // namespace

Frontmatter::Split Frontmatter::split(std::string_view text) {
    constexpr std::string_view opening = "---\n";
    if (!text.starts_with(opening))
        return {std::nullopt, std::string(text)};
    // The lines after the opening one, cut where `forEachLine` cuts them, up to the closing
    // one; the text is copied once, not as a list of lines.
    std::size_t start = opening.size();
    std::size_t blockLines = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        while (end != std::string_view::npos && text[end - 1] == '\r')
            end = text.find('\n', end + 1);
        const std::string_view trimmed = trimWhitespace(text.substr(start, end - start));
        if (trimmed == "---" || trimmed == "...") {
            Split result;
            result.block =
                blockLines == 0
                    ? std::string()
                    : std::string(text.substr(opening.size(), start - 1 - opening.size()));
            result.body = std::string(blockLines + 2, '\n');
            if (end != std::string_view::npos)
                result.body += text.substr(end + 1);
            return result;
        }
        if (end == std::string_view::npos)
            return {std::nullopt, std::string(text)};
        ++blockLines;
        start = end + 1;
    }
}

std::vector<Frontmatter::Property> Frontmatter::parse(std::string_view block) {
    std::vector<Property> properties;
    std::optional<OpenKey> open;
    const auto closeKey = [&] {
        if (open)
            properties.push_back({std::move(open->key), parseValue(open->inlineText, open->lines)});
        open.reset();
    };

    for (std::string_view line : splitLines(block)) {
        if (trimWhitespace(line).empty() || hasCharacterPrefix(line, "#"))
            continue;
        if (!isContinuationLine(line)) {
            const std::size_t colon = findCharacter(line, ':');
            if (colon != std::string_view::npos) {
                closeKey();
                open = OpenKey{std::string(trimWhitespace(line.substr(0, colon))),
                               trimWhitespace(line.substr(colon + 1)),
                               {}};
                continue;
            }
        }
        if (open)
            open->lines.push_back(line);
    }
    closeKey();
    return properties;
}

} // namespace notes
