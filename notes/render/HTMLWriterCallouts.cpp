#include "notes/render/CalloutMarker.hpp"
#include "notes/render/HTMLWriter.hpp"
#include "notes/text/EscapeHTML.hpp"

#include <optional>
#include <vector>

namespace notes {

bool HTMLWriter::writeCallout(const markdown::BlockQuote& quote) {
    const std::optional<markdown::Markup> first = quote.childAt(0);
    if (!first || !first->is<markdown::Paragraph>())
        return false;

    // The parser may cut the marker into several texts (at "[" and "]"); a line break or any
    // other element ends it.
    std::vector<markdown::Markup> children;
    for (markdown::Markup child : first->children())
        children.push_back(std::move(child));
    TypedText markerLine;
    std::size_t leadingTexts = 0;
    for (; leadingTexts < children.size(); ++leadingTexts) {
        const std::optional<markdown::Text> text = children[leadingTexts].as<markdown::Text>();
        if (!text)
            break;
        markerLine.append(*text, source_);
    }
    const std::optional<CalloutMarker> marker = CalloutMarker::parse(markerLine.shown());
    if (!marker)
        return false;

    // The title is the whole first line after the marker, markup and links included.
    auto lineEnd = children.begin() + static_cast<std::ptrdiff_t>(leadingTexts);
    while (lineEnd != children.end() && !lineEnd->is<markdown::SoftBreak>() &&
           !lineEnd->is<markdown::LineBreak>())
        ++lineEnd;
    const TypedText titleText = markerLine.suffix(marker->titleOffset);
    const std::span<const markdown::Markup> titleRest(
        children.begin() + static_cast<std::ptrdiff_t>(leadingTexts), lineEnd);

    out_ += marker->openingHTML(dataLine(quote));
    if (titleText.empty() && titleRest.empty()) {
        out_ += escapeHTML(marker->defaultTitle());
    } else {
        if (!titleText.empty())
            writeText(titleText, false);
        writeInlines(titleRest, false);
    }
    out_ += marker->bodyOpeningHTML();
    if (lineEnd != children.end() && lineEnd + 1 != children.end()) {
        out_ += "<p>";
        writeInlines(std::span<const markdown::Markup>(lineEnd + 1, children.end()), false);
        out_ += "</p>\n";
    }
    writeBlocks(quote, 1, false);
    out_ += marker->closingHTML();
    return true;
}

} // namespace notes
