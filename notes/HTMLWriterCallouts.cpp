#include "notes/CalloutMarker.hpp"
#include "notes/HTMLWriter.hpp"

#include <optional>
#include <vector>

namespace notes {

bool HTMLWriter::writeCallout(const markdown::BlockQuote& quote) {
    const std::optional<markdown::Markup> first = quote.childAt(0);
    if (!first || !first->is<markdown::Paragraph>())
        return false;

    // The parser may cut the marker into several texts (at "[" and "]"); a line break or any
    // other element ends it.
    std::string markerLine;
    for (markdown::Markup child : first->children()) {
        const std::optional<markdown::Text> text = child.as<markdown::Text>();
        if (!text)
            break;
        markerLine += text->string();
    }
    const std::optional<CalloutMarker> marker = CalloutMarker::parse(markerLine);
    if (!marker)
        return false;

    std::vector<markdown::Markup> rest;
    bool afterLineBreak = false;
    for (markdown::Markup child : first->children()) {
        if (afterLineBreak)
            rest.push_back(std::move(child));
        else
            afterLineBreak = child.is<markdown::SoftBreak>() || child.is<markdown::LineBreak>();
    }

    out_ += marker->openingHTML(dataLine(quote));
    if (!rest.empty()) {
        out_ += "<p>";
        writeInlines(rest, false);
        out_ += "</p>\n";
    }
    writeBlocks(quote, 1, false);
    out_ += marker->closingHTML();
    return true;
}

} // namespace notes
