#pragma once

#include "Markdown/tree/RawMarkup.hpp"
#include "notes/render/FoldedText.hpp"
#include "notes/render/FootnoteDefinitions.hpp"
#include "notes/render/FootnoteOrder.hpp"
#include "notes/render/InlineText.hpp"
#include "notes/render/OutlineHeading.hpp"
#include "notes/render/ResolvedTargets.hpp"
#include "notes/render/SourceText.hpp"
#include "notes/render/TypedText.hpp"
#include "notes/render/UsedSlugs.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

struct MarkdownRenderer;

/// The state of one rendering: the HTML written so far, the outline, the heading anchors
/// given out and the footnotes referenced. One more writer is made for each footnote body.
/// Every write appends to the HTML; nothing is ever taken back.
class HTMLWriter {
public:
    /// `renderer` gives the options, the link resolver and the note's file; `source` is the
    /// text the parser read, where the written elements are looked up as typed. All three
    /// outlive the writer.
    HTMLWriter(const MarkdownRenderer& renderer, const FootnoteDefinitions& footnoteDefs,
               std::string_view source);
    HTMLWriter(const HTMLWriter&) = delete;
    HTMLWriter& operator=(const HTMLWriter&) = delete;

    /// The HTML written, moved out once the writing is over.
    [[nodiscard]] std::string takeOut() { return std::move(out_); }
    /// Every heading written, however deep, in document order; moved out like the HTML.
    [[nodiscard]] std::vector<OutlineHeading> takeHeadings() { return std::move(headings_); }

    /// Appends one block and everything in it. `tight` is true only for the blocks of the
    /// items of a tight list: their paragraphs are written without `<p>`. Any depth of
    /// nesting is written without running out of stack. The raw nodes are read as they are:
    /// the writer never asks for a node's parent or place in its tree.
    void writeBlock(const markdown::RawMarkupPtr& block, bool tight);
    /// Appends every block of a parsed document, in order.
    void writeDocument(const markdown::RawMarkup& document);

    /// The closed "Properties" box of a front-matter block; nothing when it has no property.
    void writeProperties(std::string_view frontmatterBlock);

    /// The list of the referenced footnotes, after the note's last block; nothing when no
    /// footnote was referenced.
    void writeFootnotes();

private:
    /// The writer of a footnote body parsed from `source`: no `data-line` on its blocks, no
    /// footnote reference counted, its heading ids taken among the page's.
    HTMLWriter(const HTMLWriter& page, std::string_view source);

    using Nodes = std::span<const markdown::RawMarkupPtr>;

    // Blocks (HTMLWriter.cpp).
    void writeBlocks(Nodes blocks, bool tight);
    /// Writes a block followed by `next`, if any: a paragraph that the parser folded into the
    /// table after it is read from the table's lines.
    void writeBlockBefore(const markdown::RawMarkupPtr& block, const markdown::RawMarkup* next,
                          bool tight);
    void writeHeading(const markdown::RawMarkupPtr& heading, std::int64_t level);
    void writeCodeBlock(const markdown::RawMarkup& block,
                        const markdown::RawMarkupData::CodeBlock& code);
    void writeListItems(const markdown::RawMarkup& list);
    /// Appends ` data-line="N"` for a block directly under the note's document, else nothing.
    void appendDataLine(std::string& html, const markdown::RawMarkup& block) const;
    /// Writes a block's opening tag: `start`, its data line, then `end`.
    void writeOpening(std::string_view start, const markdown::RawMarkup& block,
                      std::string_view end);

    // Callouts and tables (HTMLWriterCallouts.cpp, HTMLWriterTables.cpp).
    /// Writes a block quote that opens with a "[!kind]" marker as a callout box; false, with
    /// nothing written, for any other quote.
    bool writeCallout(const markdown::RawMarkup& quote);
    void writeTable(const markdown::RawMarkup& table, const markdown::RawMarkupData::Table& data);
    void writeRow(const markdown::RawMarkup& row, std::string_view tag,
                  const markdown::RawMarkupData::Table& table);

    // Inline content (HTMLWriterInlines.cpp). `inLink` is true while a link's text is
    // written, so that no anchor is put inside another.
    /// Inline elements; neighbouring `Text` elements reach `writeText` as one run.
    void writeInlines(Nodes elements, bool inLink);
    /// Adds a `Text` element to a run, read back as typed from where it stands.
    void appendText(TypedText& run, const markdown::RawMarkup& element, std::string_view shown);
    /// One run of plain text.
    void writeText(const TypedText& text, bool inLink);
    /// One inline element other than `Text`.
    void writeInline(const markdown::RawMarkupPtr& element, bool inLink);
    /// An image; a root-relative source found in the site's "public" or "static" folder is
    /// shown from that file.
    void writeImage(const markdown::RawMarkupPtr& image,
                    const markdown::RawMarkupData::Image& data);
    /// The plain text of a heading or an image, by the element's own rule.
    [[nodiscard]] static std::string plainText(const markdown::RawMarkupPtr& node);
    /// What runs of text are written with; made once the members it points to are.
    [[nodiscard]] InlineTextContext textContext();

    const MarkdownRenderer& renderer_;
    SourceText source_;
    std::string out_;
    std::vector<OutlineHeading> headings_;
    UsedSlugs ownSlugs_;
    UsedSlugs& usedSlugs_; // the page's ids, shared with the footnote bodies
    ResolvedTargets ownTargets_;
    ResolvedTargets& resolvedTargets_; // the page's, shared with the footnote bodies
    const FootnoteDefinitions& footnoteDefs_;
    FootnoteOrder footnoteOrder_;
    bool isFootnoteBody_;
    // Made once: every run of text is written with it, and it holds a copy of the note's address.
    InlineTextContext inlineContext_;
    int depth_ = 0; // block writes in progress; 1 directly under the document
    // Where the texts being written stand, while the parser gave them no place of their own.
    std::optional<FoldedText> folded_;
};

} // namespace notes
