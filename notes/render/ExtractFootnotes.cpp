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

// The scan of one text: which fence it is in and which definition it is collecting.
class FootnoteScan {
public:
    explicit FootnoteScan(std::size_t size) { body_.reserve(size); }

    void take(std::string_view line) {
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
        // The pattern needs "[^" at the start; most lines fail this before the engine runs.
        if (line.starts_with("[^")) {
            if (auto match = firstMatch(footnoteDefinitionPattern(), line)) {
                openLabel_ = std::string(*match->groups[1]);
                parts_.assign({*match->groups[2]});
                blankCount_ = 0;
                keep({});
                return;
            }
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
