#include "notes/render/CalloutMarker.hpp"

#include "notes/text/EscapeHTML.hpp"
#include "notes/text/MakeRegex.hpp"
#include "notes/text/RegexMatch.hpp"

#include <algorithm>

namespace notes {
namespace {

const icu::RegexPattern& calloutPattern() {
    static const auto pattern = makeRegex(R"(^\[!([A-Za-z-]+)\]([+-]?)[ \t]*(.*)$)");
    return *pattern;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isKindCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
}

std::optional<CalloutMarker> parsedByPattern(std::string_view markerLine) {
    const std::optional<RegexMatch> match = firstMatch(calloutPattern(), markerLine);
    if (!match)
        return std::nullopt;
    CalloutMarker marker;
    marker.kind = std::string(*match->groups[1]);
    std::transform(marker.kind.begin(), marker.kind.end(), marker.kind.begin(), asciiLower);
    const std::string_view fold = *match->groups[2];
    marker.fold = fold == "+"   ? CalloutMarker::Fold::expanded
                  : fold == "-" ? CalloutMarker::Fold::collapsed
                                : CalloutMarker::Fold::none;
    marker.titleOffset = static_cast<std::size_t>(match->groups[3]->data() - markerLine.data());
    return marker;
}

} // namespace

std::optional<CalloutMarker> CalloutMarker::parse(std::string_view markerLine) {
    if (!markerLine.starts_with("[!"))
        return std::nullopt;
    // Where the title holds no line end, "." takes all of it and the pattern reduces to its
    // marker: read that by hand; line ends are left to the pattern's own rules.
    if (holdsLineTerminator(markerLine))
        return parsedByPattern(markerLine);
    std::size_t end = 2;
    while (end < markerLine.size() && isKindCharacter(markerLine[end]))
        ++end;
    if (end == 2 || end == markerLine.size() || markerLine[end] != ']')
        return std::nullopt;
    CalloutMarker marker;
    marker.kind.reserve(end - 2);
    for (const char c : markerLine.substr(2, end - 2))
        marker.kind += asciiLower(c);
    std::size_t title = end + 1;
    if (title < markerLine.size() && (markerLine[title] == '+' || markerLine[title] == '-')) {
        marker.fold = markerLine[title] == '+' ? Fold::expanded : Fold::collapsed;
        ++title;
    }
    while (title < markerLine.size() && (markerLine[title] == ' ' || markerLine[title] == '\t'))
        ++title;
    marker.titleOffset = title;
    return marker;
}

std::string CalloutMarker::defaultTitle() const {
    std::string title = kind;
    title.front() = asciiUpper(title.front());
    return title;
}

std::string CalloutMarker::openingHTML(std::string_view dataLine) const {
    const std::string_view box = fold == Fold::none ? "div" : "details";
    const std::string_view heading = fold == Fold::none ? "div" : "summary";
    std::string html;
    html += "<";
    html += box;
    html += " class=\"callout\"";
    html += dataLine;
    html += " data-callout=\"" + escapeHTML(kind) + "\"";
    if (fold == Fold::expanded)
        html += " open";
    html += "><";
    html += heading;
    html += " class=\"callout-title\">";
    return html;
}

std::string CalloutMarker::bodyOpeningHTML() const {
    return fold == Fold::none ? "</div>\n<div class=\"callout-body\">\n"
                              : "</summary>\n<div class=\"callout-body\">\n";
}

std::string CalloutMarker::closingHTML() const {
    return fold == Fold::none ? "</div></div>\n" : "</div></details>\n";
}

} // namespace notes
