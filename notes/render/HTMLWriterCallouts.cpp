#include "notes/render/CalloutMarker.hpp"
#include "notes/render/HTMLWriter.hpp"
#include "notes/text/EscapeHTML.hpp"

#include <optional>

namespace notes {

using markdown::RawMarkupKind;
using markdown::RawMarkupPtr;

bool HTMLWriter::writeCallout(const markdown::RawMarkup& quote) {
    const Nodes blocks = quote.children();
    if (blocks.empty() || blocks.front()->kind() != RawMarkupKind::paragraph)
        return false;

    // The parser may cut the marker into several texts (at "[" and "]"); a line break or any
    // other element ends it.
    const Nodes children = blocks.front()->children();
    // The marker's paragraph may have been folded into a table after it; no other block is
    // written before the body's blocks.
    if (blocks.size() > 1)
        folded_ = FoldedText::paragraphBefore(*blocks.front(), *blocks[1], source_);
    TypedText markerLine;
    std::size_t leadingTexts = 0;
    for (; leadingTexts < children.size(); ++leadingTexts) {
        const RawMarkupPtr& child = children[leadingTexts];
        const auto* text = child->data().getIf<RawMarkupKind::text>();
        if (text == nullptr)
            break;
        appendText(markerLine, *child, text->string);
    }
    const std::optional<CalloutMarker> marker = CalloutMarker::parse(markerLine.shown());
    if (!marker) {
        folded_.reset();
        return false;
    }

    // The title is the whole first line after the marker, markup and links included.
    std::size_t lineEnd = leadingTexts;
    while (lineEnd != children.size() && children[lineEnd]->kind() != RawMarkupKind::softBreak &&
           children[lineEnd]->kind() != RawMarkupKind::lineBreak)
        ++lineEnd;
    const TypedText titleText = markerLine.suffix(marker->titleOffset);
    const Nodes titleRest = children.subspan(leadingTexts, lineEnd - leadingTexts);

    std::string dataLine;
    appendDataLine(dataLine, quote);
    out_ += marker->openingHTML(dataLine);
    if (titleText.empty() && titleRest.empty()) {
        out_ += escapeHTML(marker->defaultTitle());
    } else {
        if (!titleText.empty())
            writeText(titleText, false);
        writeInlines(titleRest, false);
    }
    out_ += marker->bodyOpeningHTML();
    if (lineEnd != children.size() && lineEnd + 1 != children.size()) {
        out_ += "<p>";
        writeInlines(children.subspan(lineEnd + 1), false);
        out_ += "</p>\n";
    }
    folded_.reset();
    writeBlocks(blocks.subspan(1), false);
    out_ += marker->closingHTML();
    return true;
}

} // namespace notes
