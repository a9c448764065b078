#include "notes/render/HTMLWriter.hpp"

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

template <class List> std::vector<ListItem> itemsOf(const List& list) {
    std::vector<ListItem> items;
    for (ListItem item : list.listItems())
        items.push_back(std::move(item));
    return items;
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

InlineTextContext HTMLWriter::textContext() {
    return {
        .footnoteDefs = &footnoteDefs_,
        .footnoteOrder = isFootnoteBody_ ? nullptr : &footnoteOrder_,
        .links = {renderer_.resolver, renderer_.fileURL, &resolvedTargets_},
    };
}

void HTMLWriter::writeBlock(const Markup& block, bool tight) {
    // Quotes and lists nest as deep as the note does; each level asks for stack room.
    withStackSpace([&] {
        DepthScope inBlock(depth_);
        if (auto heading = block.as<Heading>()) {
            writeHeading(*heading);
        } else if (block.is<Paragraph>()) {
            if (tight) {
                writeInlines(block, false);
                out_ += "\n";
            } else {
                out_ += "<p" + dataLine(block) + ">";
                writeInlines(block, false);
                out_ += "</p>\n";
            }
        } else if (auto quote = block.as<BlockQuote>()) {
            if (!writeCallout(*quote)) {
                out_ += "<blockquote" + dataLine(block) + ">\n";
                writeBlocks(block, 0, false);
                out_ += "</blockquote>\n";
            }
        } else if (auto code = block.as<CodeBlock>()) {
            writeCodeBlock(*code);
        } else if (auto list = block.as<UnorderedList>()) {
            const std::vector<ListItem> items = itemsOf(*list);
            const bool isTaskList = std::ranges::any_of(
                items, [](const ListItem& item) { return item.checkbox().has_value(); });
            out_ += std::string(isTaskList ? "<ul class=\"task-list\"" : "<ul") + dataLine(block) +
                    ">\n";
            writeListItems(items);
            out_ += "</ul>\n";
        } else if (auto ordered = block.as<OrderedList>()) {
            const std::vector<ListItem> items = itemsOf(*ordered);
            std::string start;
            if (ordered->startIndex() != 1)
                start = " start=\"" + std::to_string(ordered->startIndex()) + "\"";
            out_ += "<ol" + start + dataLine(block) + ">\n";
            writeListItems(items);
            out_ += "</ol>\n";
        } else if (auto table = block.as<Table>()) {
            writeTable(*table);
        } else if (block.is<ThematicBreak>()) {
            out_ += "<hr" + dataLine(block) + ">\n";
        } else if (auto html = block.as<HTMLBlock>()) {
            out_ += html->rawHTML();
        } else {
            writeBlocks(block, 0, false);
        }
    });
}

void HTMLWriter::writeBlocks(const Markup& parent, std::int64_t skip, bool tight) {
    for (Markup child : parent.children())
        if (child.indexInParent() >= skip)
            writeBlock(child, tight);
}

void HTMLWriter::writeHeading(const Heading& heading) {
    const std::string text(trimWhitespace(heading.as<PlainTextConvertibleMarkup>()->plainText()));
    std::string id = usedSlugs_.uniqueSlug(text);
    const std::string level = std::to_string(heading.level());
    out_ += "<h" + level + " id=\"" + escapeHTML(id) + "\"" + dataLine(heading) + ">";
    headings_.push_back({std::move(id), static_cast<int>(heading.level()), text});
    writeInlines(heading, false);
    out_ += "</h" + level + ">\n";
}

void HTMLWriter::writeCodeBlock(const CodeBlock& block) {
    const std::optional<std::string>& info = block.language();
    const std::string_view language = info ? codeLanguage(*info) : std::string_view();
    std::string html;
    if (isMermaid(language)) {
        html = "<div class=\"mermaid-diagram\"" + dataLine(block) +
               "><pre><code class=\"language-mermaid\">" + escapeHTML(block.code()) +
               "</code></pre></div>\n";
    } else {
        html = "<pre" + dataLine(block) + "><code";
        if (!language.empty())
            html += " class=\"language-" + escapeHTML(language) + "\"";
        html += ">" + escapeHTML(block.code()) + "</code></pre>\n";
    }
    out_ += html;
}

void HTMLWriter::writeListItems(std::span<const ListItem> items) {
    const bool tight = isTightList(items);
    for (const ListItem& item : items) {
        if (const std::optional<Checkbox> checkbox = item.checkbox()) {
            const bool checked = *checkbox == Checkbox::checked;
            out_ += checked ? "<li class=\"task done\"><input type=\"checkbox\" disabled checked> "
                            : "<li class=\"task\"><input type=\"checkbox\" disabled> ";
        } else {
            out_ += "<li>";
        }
        writeBlocks(item, 0, tight);
        out_ += "</li>\n";
    }
}

std::string HTMLWriter::dataLine(const Markup& block) const {
    if (depth_ != 1 || isFootnoteBody_)
        return "";
    const std::optional<SourceRange> range = block.range();
    if (!range)
        return "";
    return " data-line=\"" + std::to_string(range->start().line) + "\"";
}

void HTMLWriter::writeProperties(std::string_view frontmatterBlock) {
    // Front matter is never smart-punctuated: its text is shown as typed.
    writePropertiesBox(out_, frontmatterBlock, [this](std::string_view text) {
        writeText(TypedText::asTyped(text), false);
    });
}

} // namespace notes
