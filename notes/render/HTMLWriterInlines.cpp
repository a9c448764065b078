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

void HTMLWriter::writeInlines(const Markup& container, bool inLink) {
    std::vector<Markup> elements;
    for (Markup child : container.children())
        elements.push_back(std::move(child));
    writeInlines(elements, inLink);
}

void HTMLWriter::writeInlines(std::span<const Markup> elements, bool inLink) {
    TypedText run;
    const auto flush = [&] {
        if (!run.empty())
            writeText(run, inLink);
        run = TypedText();
    };
    for (const Markup& element : elements) {
        if (const std::optional<Text> text = element.as<Text>()) {
            run.append(*text, source_);
        } else {
            flush();
            writeInline(element, inLink);
        }
    }
    flush();
}

void HTMLWriter::writeText(const TypedText& text, bool inLink) {
    writeInlineText(out_, text, inLink, inlineContext_);
}

void HTMLWriter::writeInline(const Markup& element, bool inLink) {
    // Emphasis and links nest as deep as the note does.
    withStackSpace([&] {
        if (const auto code = element.as<InlineCode>()) {
            out_ += "<code>";
            appendEscapedHTML(out_, code->code());
            out_ += "</code>";
        } else if (element.is<Emphasis>()) {
            out_ += "<em>";
            writeInlines(element, inLink);
            out_ += "</em>";
        } else if (element.is<Strong>()) {
            out_ += "<strong>";
            writeInlines(element, inLink);
            out_ += "</strong>";
        } else if (element.is<Strikethrough>()) {
            out_ += "<del>";
            writeInlines(element, inLink);
            out_ += "</del>";
        } else if (const auto link = element.as<Link>()) {
            std::string open = "<a href=\"" + escapeHTML(link->destination().value_or("")) + "\"";
            if (link->title())
                open += " title=\"" + escapeHTML(*link->title()) + "\"";
            out_ += open + ">";
            writeInlines(element, true);
            out_ += "</a>";
        } else if (const auto image = element.as<Image>()) {
            writeImage(*image);
        } else if (const auto html = element.as<InlineHTML>()) {
            out_ += html->rawHTML();
        } else if (element.is<LineBreak>()) {
            out_ += "<br>\n";
        } else if (element.is<SoftBreak>()) {
            out_ += renderer_.options.softBreaksAsLineBreaks ? "<br>\n" : "\n";
        } else {
            writeInlines(element, inLink);
        }
    });
}

void HTMLWriter::writeImage(const Image& image) {
    std::string source = image.source().value_or("");
    // The page would read "/img/a.png" from the root of the disk.
    if (renderer_.fileURL)
        if (const std::optional<URL> asset = resolveAssetURL(source, *renderer_.fileURL))
            source = readerURL(*asset);
    std::string html = "<img src=\"" + escapeHTML(source) + "\" alt=\"" +
                       escapeHTML(image.as<PlainTextConvertibleMarkup>()->plainText()) + "\"";
    if (image.title())
        html += " title=\"" + escapeHTML(*image.title()) + "\"";
    out_ += html + " loading=\"lazy\">";
}

} // namespace notes
