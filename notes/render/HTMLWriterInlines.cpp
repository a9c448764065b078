// The inline part of the writer: text runs and inline elements inside paragraphs, headings,
// table cells, callout titles and property values.

#include "Markdown/support/StackSpace.hpp"
#include "notes/render/HTMLWriter.hpp"
#include "notes/render/InlineText.hpp"
#include "notes/render/MarkdownRenderer.hpp"
#include "notes/render/ResolveAssetURL.hpp"
#include "notes/text/EscapeHTML.hpp"
#include "notes/text/ReaderURL.hpp"

namespace notes {

using namespace markdown;

void HTMLWriter::writeInlines(Nodes elements, bool inLink) {
    TypedText run;
    const auto flush = [&] {
        if (!run.empty())
            writeText(run, inLink);
        run = TypedText();
    };
    for (const RawMarkupPtr& element : elements) {
        if (const RawMarkupData::Text* text = element->data().getIf<RawMarkupKind::text>()) {
            appendText(run, *element, text->string);
        } else {
            flush();
            writeInline(element, inLink);
        }
    }
    flush();
}

void HTMLWriter::appendText(TypedText& run, const RawMarkup& element, std::string_view shown) {
    if (folded_)
        folded_->append(run, shown);
    else
        run.append(shown, element.parsedRange(), source_);
}

void HTMLWriter::writeText(const TypedText& text, bool inLink) {
    writeInlineText(out_, text, inLink, inlineContext_);
}

void HTMLWriter::writeInline(const RawMarkupPtr& element, bool inLink) {
    // Emphasis and links nest as deep as the note does.
    withStackSpace([&] {
        const RawMarkupData& data = element->data();
        switch (element->kind()) {
        case RawMarkupKind::inlineCode:
            out_ += "<code>";
            appendEscapedHTML(out_, data.getIf<RawMarkupKind::inlineCode>()->code);
            out_ += "</code>";
            break;
        case RawMarkupKind::emphasis:
            out_ += "<em>";
            writeInlines(element->children(), inLink);
            out_ += "</em>";
            break;
        case RawMarkupKind::strong:
            out_ += "<strong>";
            writeInlines(element->children(), inLink);
            out_ += "</strong>";
            break;
        case RawMarkupKind::strikethrough:
            out_ += "<del>";
            writeInlines(element->children(), inLink);
            out_ += "</del>";
            break;
        case RawMarkupKind::link: {
            const RawMarkupData::Link& link = *data.getIf<RawMarkupKind::link>();
            out_ += "<a href=\"";
            if (link.destination)
                appendEscapedHTML(out_, *link.destination);
            out_ += "\"";
            if (link.title) {
                out_ += " title=\"";
                appendEscapedHTML(out_, *link.title);
                out_ += "\"";
            }
            out_ += ">";
            writeInlines(element->children(), true);
            out_ += "</a>";
            break;
        }
        case RawMarkupKind::image:
            writeImage(element, *data.getIf<RawMarkupKind::image>());
            break;
        case RawMarkupKind::inlineHTML:
            out_ += data.getIf<RawMarkupKind::inlineHTML>()->html;
            break;
        case RawMarkupKind::lineBreak:
            out_ += "<br>\n";
            break;
        case RawMarkupKind::softBreak:
            out_ += renderer_.options.softBreaksAsLineBreaks ? "<br>\n" : "\n";
            break;
        default:
            writeInlines(element->children(), inLink);
            break;
        }
    });
}

void HTMLWriter::writeImage(const RawMarkupPtr& image, const RawMarkupData::Image& data) {
    std::string source = data.source.value_or("");
    // The page would read "/img/a.png" from the root of the disk.
    if (renderer_.fileURL)
        if (const std::optional<URL> asset = resolveAssetURL(source, *renderer_.fileURL))
            source = readerURL(*asset);
    std::string html =
        "<img src=\"" + escapeHTML(source) + "\" alt=\"" + escapeHTML(plainText(image)) + "\"";
    if (data.title)
        html += " title=\"" + escapeHTML(*data.title) + "\"";
    out_ += html + " loading=\"lazy\">";
}

} // namespace notes
