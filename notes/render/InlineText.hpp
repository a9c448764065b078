#pragma once

#include "notes/render/FootnoteDefinitions.hpp"
#include "notes/render/FootnoteOrder.hpp"
#include "notes/render/TypedText.hpp"
#include "notes/render/WikilinkHTML.hpp"

#include <string>
#include <string_view>

namespace notes {

/// What a run of plain text needs of the rendering it is written into.
struct InlineTextContext {
    const FootnoteDefinitions* footnoteDefs = nullptr;
    /// Numbers the references; nothing in a footnote body, where references stay text.
    FootnoteOrder* footnoteOrder = nullptr;
    WikilinkContext links;
};

/// Appends one run of plain text: wikilinks and embeds, footnote references to defined notes,
/// "==highlights==" and bare web addresses become their elements, everything else is escaped.
/// Inside a link (`inLink`) only highlights are made: wikilinks, addresses and references are
/// written as text, so that no anchor lands inside another. Targets, labels and addresses are
/// taken as typed; everything written as text keeps the form the text shows.
void writeInlineText(std::string& out, const TypedText& text, bool inLink,
                     const InlineTextContext& context);

} // namespace notes
