#include "notes/render/InlineText.hpp"

#include "notes/render/InlineTextMatch.hpp"
#include "notes/text/EscapeHTML.hpp"

namespace notes {
namespace {

void writeReference(std::string& out, const InlineTextMatch& match, std::string_view whole,
                    bool inLink, const InlineTextContext& context) {
    // Labels are defined in the text as typed, before the parser sees it.
    const std::string& label = match.typed;
    if (inLink || context.footnoteOrder == nullptr || context.footnoteDefs == nullptr ||
        !context.footnoteDefs->contains(label)) {
        appendEscapedHTML(out, whole);
        return;
    }
    writeFootnoteReference(out, context.footnoteOrder->reference(label));
}

} // namespace

void writeInlineText(std::string& out, const TypedText& typed, bool inLink,
                     const InlineTextContext& context) {
    const std::string_view text = typed.shown();
    std::size_t cursor = 0;
    for (const InlineTextMatch& match : findInlineText(typed)) {
        appendEscapedHTML(out, text.substr(cursor, match.begin - cursor));
        cursor = match.end;
        const std::string_view whole = text.substr(match.begin, match.end - match.begin);
        switch (match.kind) {
        case InlineTextKind::wikilink:
        case InlineTextKind::embed:
            if (inLink)
                appendEscapedHTML(out, whole);
            else
                writeWikilink(out, match.shown, match.typed, match.kind == InlineTextKind::embed,
                              context.links);
            break;
        case InlineTextKind::footnoteReference:
            writeReference(out, match, whole, inLink, context);
            break;
        case InlineTextKind::highlight:
            out += "<mark>";
            appendEscapedHTML(out, match.shown);
            out += "</mark>";
            break;
        case InlineTextKind::webAddress:
            if (inLink)
                appendEscapedHTML(out, whole);
            else {
                out += "<a href=\"";
                appendEscapedHTML(out, match.typed);
                out += "\">";
                appendEscapedHTML(out, match.typed);
                out += "</a>";
            }
            break;
        }
    }
    appendEscapedHTML(out, text.substr(cursor));
}

} // namespace notes
