#include "notes/render/HTMLWriter.hpp"

#include "Markdown/elements/Elements.hpp"
#include "Markdown/support/StackSpace.hpp"
#include "notes/render/ListTightness.hpp"
#include "notes/render/MarkdownRenderer.hpp"
#include "notes/render/PropertiesBox.hpp"
#include "notes/text/CharacterText.hpp"
#include "notes/text/EscapeHTML.hpp"

#include <algorithm>

namespace notes {
namespace {

using namespace markdown;

class DepthScope {
public:
    explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
    ~DepthScope() { --depth_; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int& depth_;
};

// The first word of a fence's info string; only spaces separate words.
std::string_view codeLanguage(std::string_view info) {
    const std::size_t start = info.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = info.find(' ', start);
    return info.substr(start, end == std::string_view::npos ? end : end - start);
}

bool isMermaid(std::string_view language) {
    constexpr std::string_view mermaid = "mermaid";
    return std::ranges::equal(language, mermaid, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

std::optional<Checkbox> checkboxOf(const RawMarkup& item) {
    const RawMarkupData::ListItem* payload = item.data().getIf<RawMarkupKind::listItem>();
    return payload != nullptr ? payload->checkbox : std::nullopt;
}

} // namespace

HTMLWriter::HTMLWriter(const MarkdownRenderer& renderer, const FootnoteDefinitions& footnoteDefs,
                       std::string_view source)
    : renderer_(renderer), source_(source), usedSlugs_(ownSlugs_), resolvedTargets_(ownTargets_),
      footnoteDefs_(footnoteDefs), footnoteOrder_(usedSlugs_), isFootnoteBody_(false),
      inlineContext_(textContext()) {}

HTMLWriter::HTMLWriter(const HTMLWriter& page, std::string_view source)
    : renderer_(page.renderer_), source_(source), usedSlugs_(page.usedSlugs_),
      resolvedTargets_(page.resolvedTargets_), footnoteDefs_(page.footnoteDefs_),
      footnoteOrder_(usedSlugs_), isFootnoteBody_(true), inlineContext_(textContext()) {}

std::string HTMLWriter::plainText(const RawMarkupPtr& node) {
    // Headings and images are few: wrapping them as elements costs little.
    return Markup(MarkupData::newRoot(node)).as<PlainTextConvertibleMarkup>()->plainText();
}

InlineTextContext HTMLWriter::textContext() {
    return {
        .footnoteDefs = &footnoteDefs_,
        .footnoteOrder = isFootnoteBody_ ? nullptr : &footnoteOrder_,
        .links = {renderer_.resolver, renderer_.fileURL, &resolvedTargets_},
    };
}

void HTMLWriter::writeBlock(const RawMarkupPtr& node, bool tight) {
    // Quotes and lists nest as deep as the note does; each level asks for stack room.
    withStackSpace([&] {
        DepthScope inBlock(depth_);
        const RawMarkup& block = *node;
        const RawMarkupData& data = block.data();
        switch (block.kind()) {
        case RawMarkupKind::heading:
            writeHeading(node, data.getIf<RawMarkupKind::heading>()->level);
            break;
        case RawMarkupKind::paragraph:
            if (tight) {
                writeInlines(block.children(), false);
                out_ += "\n";
            } else {
                writeOpening("<p", block, ">");
                writeInlines(block.children(), false);
                out_ += "</p>\n";
            }
            break;
        case RawMarkupKind::blockQuote:
            if (!writeCallout(block)) {
                writeOpening("<blockquote", block, ">\n");
                writeBlocks(block.children(), false);
                out_ += "</blockquote>\n";
            }
            break;
        case RawMarkupKind::codeBlock:
            writeCodeBlock(block, *data.getIf<RawMarkupKind::codeBlock>());
            break;
        case RawMarkupKind::unorderedList: {
            const bool isTaskList =
                std::ranges::any_of(block.children(), [](const RawMarkupPtr& item) {
                    return checkboxOf(*item).has_value();
                });
            writeOpening(isTaskList ? "<ul class=\"task-list\"" : "<ul", block, ">\n");
            writeListItems(block);
            out_ += "</ul>\n";
            break;
        }
        case RawMarkupKind::orderedList: {
            const std::uint64_t startIndex = data.getIf<RawMarkupKind::orderedList>()->startIndex;
            std::string start = "<ol";
            if (startIndex != 1)
                start += " start=\"" + std::to_string(startIndex) + "\"";
            writeOpening(start, block, ">\n");
            writeListItems(block);
            out_ += "</ol>\n";
            break;
        }
        case RawMarkupKind::table:
            writeTable(block, *data.getIf<RawMarkupKind::table>());
            break;
        case RawMarkupKind::thematicBreak:
            writeOpening("<hr", block, ">\n");
            break;
        case RawMarkupKind::htmlBlock:
            out_ += data.getIf<RawMarkupKind::htmlBlock>()->html;
            break;
        default:
            writeBlocks(block.children(), false);
            break;
        }
    });
}

void HTMLWriter::writeDocument(const RawMarkup& document) {
    writeBlocks(document.children(), false);
}

void HTMLWriter::writeBlocks(Nodes blocks, bool tight) {
    for (std::size_t i = 0; i < blocks.size(); ++i)
        writeBlockBefore(blocks[i], i + 1 < blocks.size() ? blocks[i + 1].get() : nullptr, tight);
}

void HTMLWriter::writeBlockBefore(const RawMarkupPtr& block, const RawMarkup* next, bool tight) {
    if (next != nullptr)
        folded_ = FoldedText::paragraphBefore(*block, *next, source_);
    writeBlock(block, tight);
    folded_.reset();
}

void HTMLWriter::writeHeading(const RawMarkupPtr& heading, std::int64_t level) {
    const std::string text(trimWhitespace(plainText(heading)));
    std::string id = usedSlugs_.uniqueSlug(text);
    const std::string levelText = std::to_string(level);
    out_ += "<h" + levelText + " id=\"";
    appendEscapedHTML(out_, id);
    out_ += "\"";
    appendDataLine(out_, *heading);
    out_ += ">";
    headings_.push_back({std::move(id), static_cast<int>(level), text});
    writeInlines(heading->children(), false);
    out_ += "</h" + levelText + ">\n";
}

void HTMLWriter::writeCodeBlock(const RawMarkup& block, const RawMarkupData::CodeBlock& code) {
    const std::optional<std::string>& info = code.language;
    const std::string_view language = info ? codeLanguage(*info) : std::string_view();
    if (isMermaid(language)) {
        writeOpening("<div class=\"mermaid-diagram\"", block,
                     "><pre><code class=\"language-mermaid\">");
        appendEscapedHTML(out_, code.code);
        out_ += "</code></pre></div>\n";
    } else {
        writeOpening("<pre", block, "><code");
        if (!language.empty()) {
            out_ += " class=\"language-";
            appendEscapedHTML(out_, language);
            out_ += "\"";
        }
        out_ += ">";
        appendEscapedHTML(out_, code.code);
        out_ += "</code></pre>\n";
    }
}

void HTMLWriter::writeListItems(const RawMarkup& list) {
    const bool tight = isTightList(list);
    for (const RawMarkupPtr& item : list.children()) {
        if (const std::optional<Checkbox> checkbox = checkboxOf(*item)) {
            const bool checked = *checkbox == Checkbox::checked;
            out_ += checked ? "<li class=\"task done\"><input type=\"checkbox\" disabled checked> "
                            : "<li class=\"task\"><input type=\"checkbox\" disabled> ";
        } else {
            out_ += "<li>";
        }
        writeBlocks(item->children(), tight);
        out_ += "</li>\n";
    }
}

void HTMLWriter::appendDataLine(std::string& html, const RawMarkup& block) const {
    if (depth_ != 1 || isFootnoteBody_)
        return;
    const std::optional<SourceRange>& range = block.parsedRange();
    if (!range && !folded_)
        return;
    html += " data-line=\"";
    html += std::to_string(range ? range->start().line : folded_->line());
    html += '"';
}

void HTMLWriter::writeOpening(std::string_view start, const RawMarkup& block,
                              std::string_view end) {
    out_ += start;
    appendDataLine(out_, block);
    out_ += end;
}

void HTMLWriter::writeProperties(std::string_view frontmatterBlock) {
    // Front matter is never smart-punctuated: its text is shown as typed.
    writePropertiesBox(out_, frontmatterBlock, [this](std::string_view text) {
        writeText(TypedText::asTyped(text), false);
    });
}

} // namespace notes
