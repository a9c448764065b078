#include "Markdown/cmark/CodeSpanBackticks.hpp"

#include "Markdown/cmark/AttributeExtension.hpp"
#include "Markdown/cmark/CMarkAnnotations.hpp"
#include "Markdown/cmark/NodeContent.hpp"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <cmark-gfm.h>
#include <cmark-gfm/node.h>

namespace markdown {
namespace {

// Whether the text has that line, finding line starts up to it: most spans lie early in their
// text, so the rest of a long paragraph is never scanned.
bool reachesLine(CodeSpanBackticks::Content& content, std::size_t line) {
    const std::string_view text = content.text;
    while (content.lineStarts.size() <= line && content.scanned < text.size()) {
        const std::size_t end = text.find('\n', content.scanned);
        if (end == std::string_view::npos) {
            content.scanned = text.size();
            break;
        }
        content.lineStarts.push_back(end + 1);
        content.scanned = end + 1;
    }
    return line < content.lineStarts.size();
}

// Calls `visit` with each byte of the code the parser makes of a span's content, in which line
// endings become spaces.
template <typename Visit> void forEachCodeByte(std::string_view raw, Visit visit) {
    for (const char c : raw)
        visit(c == '\n' ? ' ' : c);
}

// Whether the parser makes `literal` of a span's content: line endings become spaces, and one
// space is stripped from each end when both ends have one and the content is not all spaces.
// Compared in place: most spans are checked once and copying each would cost more than the check.
bool isCodeOf(std::string_view raw, std::string_view literal) {
    if (raw.find('\n') == std::string_view::npos) {
        // Most spans stay on one line: their code is the content, perhaps stripped.
        const bool strip = raw.size() >= 2 && raw.front() == ' ' && raw.back() == ' ' &&
                           raw.find_first_not_of(' ') != std::string_view::npos;
        return raw.substr(strip ? 1 : 0, raw.size() - (strip ? 2 : 0)) == literal;
    }
    std::size_t size = 0;
    char first = 0;
    char last = 0;
    bool allSpaces = true;
    forEachCodeByte(raw, [&](char c) {
        if (size++ == 0)
            first = c;
        last = c;
        allSpaces = allSpaces && c == ' ';
    });
    const std::size_t strip = !allSpaces && size >= 2 && first == ' ' && last == ' ' ? 1 : 0;
    if (size - 2 * strip != literal.size())
        return false;
    std::size_t index = 0;
    bool equal = true;
    forEachCodeByte(raw, [&](char c) {
        if (index >= strip && index < size - strip)
            equal = equal && c == literal[index - strip];
        ++index;
    });
    return equal;
}

bool isBlock(cmark_node* node) {
    return (cmark_node_get_type(node) & CMARK_NODE_TYPE_MASK) == CMARK_NODE_TYPE_BLOCK;
}

// The node whose own content the parser read the span from.
cmark_node* contentOwner(cmark_node* codeSpan) {
    cmark_node* node = cmark_node_parent(codeSpan);
    while (node != nullptr && !isBlock(node) && !attributeText(node))
        node = cmark_node_parent(node);
    return node;
}

// The backtick count of the code span whose opening run ends just before `offset` in `text`,
// when a span with exactly this literal starts there.
std::optional<unsigned> codeSpanOpeningBefore(std::string_view text, std::size_t offset,
                                              std::string_view literal) {
    if (offset == 0 || offset > text.size() || text[offset - 1] != '`')
        return std::nullopt;
    std::size_t runStart = offset - 1;
    while (runStart > 0 && text[runStart - 1] == '`')
        --runStart;
    std::size_t backslashes = 0;
    while (runStart > backslashes && text[runStart - backslashes - 1] == '\\')
        ++backslashes;
    // An escaped first backtick is text; the span opens with the rest of the run.
    const std::size_t count = offset - runStart - backslashes % 2;
    if (count == 0)
        return std::nullopt;
    for (std::size_t i = text.find('`', offset); i != std::string_view::npos;
         i = text.find('`', i)) {
        std::size_t runEnd = i;
        while (runEnd < text.size() && text[runEnd] == '`')
            ++runEnd;
        if (runEnd - i == count) {
            if (!isCodeOf(text.substr(offset, i - offset), literal))
                return std::nullopt;
            return static_cast<unsigned>(count);
        }
        i = runEnd;
    }
    return std::nullopt;
}

unsigned backtickCountOf(cmark_node* codeSpan, cmark_node* owner,
                         CodeSpanBackticks::Content& content) {
    const std::string_view literal = cmark_node_get_literal(codeSpan);
    const long lineIndex = std::max(0, codeSpan->start_line - owner->start_line);
    const long column = codeSpan->start_column - owner->start_column - owner->internal_offset;
    for (std::size_t line = lineIndex + content.uncountedLines;
         column >= 0 && reachesLine(content, line); ++line) {
        const std::size_t offset = content.lineStarts[line] + static_cast<std::size_t>(column);
        if (offset < content.resumeAt)
            continue;
        if (const auto count = codeSpanOpeningBefore(content.text, offset, literal)) {
            content.uncountedLines = line - lineIndex;
            content.resumeAt = offset + literal.size();
            return *count;
        }
    }
    // Not found again: the parser placed the span where no span with its code starts. A single
    // backtick is by far the most common delimiter.
    return 1;
}

} // namespace

void CodeSpanBackticks::record(cmark_node* codeSpan) {
    cmark_node* owner = contentOwner(codeSpan);
    if (owner == nullptr) {
        setBacktickCount(codeSpan, 1);
        return;
    }
    // Owners nest (an attribute node in a paragraph), and the innermost is nearly always the
    // last one met.
    auto entry = std::find_if(contents.rbegin(), contents.rend(),
                              [owner](const auto& known) { return known.first == owner; });
    if (entry == contents.rend()) {
        Content& added = contents.emplace_back(owner, Content{}).second;
        added.text = nodeContent(owner);
        added.lineStarts.push_back(0);
        setBacktickCount(codeSpan, backtickCountOf(codeSpan, owner, added));
        return;
    }
    setBacktickCount(codeSpan, backtickCountOf(codeSpan, owner, entry->second));
}

void CodeSpanBackticks::forget(cmark_node* owner) {
    const auto entry = std::find_if(contents.rbegin(), contents.rend(),
                                    [owner](const auto& known) { return known.first == owner; });
    if (entry != contents.rend())
        contents.erase(std::next(entry).base());
}

void recordBacktickCounts(cmark_node* root) {
    CodeSpanBackticks backticks;
    const std::unique_ptr<cmark_iter, decltype(&cmark_iter_free)> iterator(cmark_iter_new(root),
                                                                           cmark_iter_free);
    for (cmark_event_type event; (event = cmark_iter_next(iterator.get())) != CMARK_EVENT_DONE;) {
        cmark_node* node = cmark_iter_get_node(iterator.get());
        if (event == CMARK_EVENT_ENTER && cmark_node_get_type(node) == CMARK_NODE_CODE)
            backticks.record(node);
        else if (event == CMARK_EVENT_EXIT)
            backticks.forget(node);
    }
}

} // namespace markdown
