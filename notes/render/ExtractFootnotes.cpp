#include "notes/render/ExtractFootnotes.hpp"

#include "notes/text/CharacterText.hpp"
#include "notes/text/MakeRegex.hpp"
#include "notes/text/RegexMatch.hpp"

#include <optional>
#include <vector>

namespace notes {
namespace {

const icu::RegexPattern& footnoteDefinitionPattern() {
    static const auto pattern = makeRegex(R"(^\[\^([^\]\s]+)\]:[ \t]?(.*)$)");
    return *pattern;
}

struct Definition {
    std::string_view label;
    std::string_view firstLine;
};

// The definition that the line starts, as the pattern reads it.
std::optional<Definition> definitionAt(std::string_view line) {
    // The pattern needs "[^" at the start; most lines fail this before anything else.
    if (!line.starts_with("[^"))
        return std::nullopt;
    // A label of visible ASCII in a line without line ends is read by hand; anything else
    // (other characters may be white space to the pattern) goes to the pattern.
    std::size_t end = 2;
    while (end < line.size() && line[end] > ' ' && line[end] < 0x7F && line[end] != ']')
        ++end;
    const bool labelEnds =
        end < line.size() && (line[end] == ']' || line[end] == ' ' || line[end] == '\t');
    if (labelEnds && !holdsLineTerminator(line)) {
        if (end == 2 || line[end] != ']' || end + 1 == line.size() || line[end + 1] != ':')
            return std::nullopt;
        std::size_t text = end + 2;
        if (text < line.size() && (line[text] == ' ' || line[text] == '\t'))
            ++text;
        return Definition{line.substr(2, end - 2), line.substr(text)};
    }
    const std::optional<RegexMatch> match = firstMatch(footnoteDefinitionPattern(), line);
    if (!match)
        return std::nullopt;
    return Definition{*match->groups[1], *match->groups[2]};
}

// The scan of one text: which fence it is in and which definition it is collecting.
class FootnoteScan {
public:
    explicit FootnoteScan(std::size_t size) { body_.reserve(size); }

    void take(std::string_view line) {
        // Most lines neither continue nor open anything: no space, fence mark or "[" leads them.
        if (!openFence_ && !openLabel_ &&
            (line.empty() ||
             std::string_view(" `~[").find(line.front()) == std::string_view::npos)) {
            keep(line);
            return;
        }
        const std::string_view unindented = line.substr(leadingCharacterCount(line, ' '));
        if (openFence_) {
            keep(line);
            if (hasCharacterPrefix(unindented, *openFence_))
                openFence_.reset();
            return;
        }
        if (openLabel_) {
            if (continuesDefinition(line))
                return;
            closeDefinition();
        }
        if (hasCharacterPrefix(unindented, "```") || hasCharacterPrefix(unindented, "~~~")) {
            const char mark = unindented.front();
            openFence_ = std::string(leadingCharacterCount(unindented, mark), mark);
            keep(line);
            return;
        }
        if (const std::optional<Definition> definition = definitionAt(line)) {
            openLabel_ = std::string(definition->label);
            parts_.assign({definition->firstLine});
            blankCount_ = 0;
            keep({});
            return;
        }
        keep(line);
    }

    ExtractedFootnotes finish() && {
        if (openLabel_)
            closeDefinition();
        return {std::move(body_), std::move(definitions_)};
    }

private:
    // The body keeps the text's line count: a line taken out stays as an empty one.
    void keep(std::string_view line) {
        if (!firstLine_)
            body_ += '\n';
        firstLine_ = false;
        body_ += line;
    }

    bool continuesDefinition(std::string_view line) {
        if (trimWhitespace(line).empty()) {
            parts_.emplace_back();
            keep({});
            ++blankCount_;
            return true;
        }
        // After a blank line, two or three spaces no longer continue the definition.
        if (hasCharacterPrefix(line, "    ") || hasCharacterPrefix(line, "\t") ||
            (blankCount_ == 0 && hasCharacterPrefix(line, "  "))) {
            parts_.push_back(trimWhitespace(line));
            keep({});
            blankCount_ = 0;
            return true;
        }
        return false;
    }

    void closeDefinition() {
        definitions_.set(*openLabel_, std::string(trimWhitespaceAndNewlines(joinLines(parts_))));
        openLabel_.reset();
        parts_.clear();
        blankCount_ = 0;
    }

    std::string body_;
    bool firstLine_ = true;
    FootnoteDefinitions definitions_;
    std::optional<std::string> openFence_;
    std::optional<std::string> openLabel_;
    std::vector<std::string_view> parts_;
    int blankCount_ = 0;
};

} // namespace

ExtractedFootnotes extractFootnotes(std::string_view text) {
    // Without a line that starts with "[^" nothing is taken out, fenced or not, and most notes
    // have none: skip the scan of every line.
    if (!text.starts_with("[^") && text.find("\n[^") == std::string_view::npos)
        return {std::string(text), {}};
    FootnoteScan scan(text.size());
    forEachLine(text, [&](std::string_view line) { scan.take(line); });
    return std::move(scan).finish();
}

} // namespace notes
